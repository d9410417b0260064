#include "frmedit.h"
#include "programversion.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setApplicationVersion(QLatin1String(programVersion));
    FrmEdit window;
    window.show();
    return QApplication::exec();
}
