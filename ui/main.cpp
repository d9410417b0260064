#include "frmedit.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    FrmEdit window;
    window.show();
    return QApplication::exec();
}
