#include "pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

#include <cstdlib>

namespace {

struct Picture
{
    const char *fileName;
    QImage image;
    int bitsPerPixel; // as stored in the bitmap file
};

// The bit count in a bitmap file's info header (offset 28, little-endian).
int storedBitsPerPixel(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(30);
    if (header.size() < 30 || !header.startsWith("BM"))
        return -1;
    return static_cast<unsigned char>(header[28]) | static_cast<unsigned char>(header[29]) << 8;
}

} // namespace

int main(int argc, char *argv[])
{
    // The pictures need fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        err << "usage: drawpictures <resources folder>\n";
        return EXIT_FAILURE;
    }
    const QDir folder(arguments.at(1));
    if (!folder.exists()) {
        err << "no such folder: " << arguments.at(1) << '\n';
        return EXIT_FAILURE;
    }

    const Picture pictures[] = {
        {"railcar.bmp", drawRailcar(), 24},
        {"portrait.bmp", drawPortrait(), 8},
        {"help.bmp", drawHelpPage(), 24},
        {"tessaro.bmp", drawWindowIcon(), 4},
    };

    bool allWell = true;
    for (const Picture &picture : pictures) {
        const QString path = folder.filePath(QString::fromLatin1(picture.fileName));
        QImageWriter writer(path, "bmp");
        if (!writer.write(picture.image)) {
            err << path << ": " << writer.errorString() << '\n';
            return EXIT_FAILURE;
        }
        const int bits = storedBitsPerPixel(path);
        out << path << ": " << picture.image.width() << " x " << picture.image.height() << ", "
            << bits << " bits per pixel, " << QFileInfo(path).size() << " bytes\n";
        if (bits != picture.bitsPerPixel) {
            err << path << ": stored with " << bits << " bits per pixel instead of "
                << picture.bitsPerPixel << '\n';
            allWell = false;
        }
    }
    return allWell ? EXIT_SUCCESS : EXIT_FAILURE;
}
