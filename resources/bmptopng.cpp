#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QString>

#include <cstdio>
#include <cstdlib>

// Writes a bitmap as a PNG with the same pixels and colour table: the desktop wants the icon as
// PNG, the window takes it from the bitmap built into the program, and both are one picture.
//   bmptopng <picture.bmp> <picture.png>
int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: bmptopng <picture.bmp> <picture.png>\n", stderr);
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
    QImageWriter writer(target, "png");
    if (!writer.write(picture)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(writer.errorString()));
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
