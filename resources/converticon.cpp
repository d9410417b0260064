#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QString>

#include <cstdio>
#include <cstdlib>

// Writes the window icon's bitmap as the icon file a desktop wants, with the same pixels: a PNG
// for Linux desktops, an ICO for the Windows executable. The target's suffix names the format.
//   converticon <picture.bmp> <icon.png|icon.ico>
int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: converticon <picture.bmp> <icon.png|icon.ico>\n", stderr);
        return EXIT_FAILURE;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);

    QImageReader reader(source, "bmp");
    const QImage picture = reader.read();
    if (picture.isNull()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(reader.errorString()));
        return EXIT_FAILURE;
    }
    QImageWriter writer(target, QFileInfo(target).suffix().toLower().toLatin1());
    if (!writer.write(picture)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(writer.errorString()));
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
