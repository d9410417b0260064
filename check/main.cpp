#include "checkcommand.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    return runCheckCommand(QCoreApplication::arguments());
}
