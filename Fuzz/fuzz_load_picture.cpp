// LoadPicture: any file is loaded as a picture or refused with a runtime error (Invalid picture,
// Out of memory for one too large), whatever format its content claims. A picture that loaded
// saves as PNG and loads back to the same pixels.
#include "FuzzApplication.h"

#include <Quillkit/System/LoadPicture.h>
#include <Quillkit/Value/RuntimeError.h>

#include <QFile>
#include <QImageReader>
#include <cstdlib>

namespace {

FuzzApplication *application;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Qt's decoders are not instrumented, so to the fuzzer every format looks the same and it would
// keep one input of them all. A branch of its own for each format the content claims, and for
// each pixel format its header gives, keeps inputs of every kind in the corpus to mutate (the
// stores are volatile so that the compiler cannot fold the branches into one).
volatile int formatsSeen[16];
volatile int pixelFormatsSeen[13];

void noteKind(const QString &path)
{
    QImageReader reader(path);
    const QByteArray format = reader.format();
    if (format == "bmp")
        formatsSeen[0] = 1;
    if (format == "cur")
        formatsSeen[1] = 1;
    if (format == "gif")
        formatsSeen[2] = 1;
    if (format == "ico")
        formatsSeen[3] = 1;
    if (format == "jpeg")
        formatsSeen[4] = 1;
    if (format == "pbm")
        formatsSeen[5] = 1;
    if (format == "pgm")
        formatsSeen[6] = 1;
    if (format == "png")
        formatsSeen[7] = 1;
    if (format == "ppm")
        formatsSeen[8] = 1;
    if (format == "xbm")
        formatsSeen[9] = 1;
    if (format == "xpm")
        formatsSeen[10] = 1;
    if (format.isEmpty())
        formatsSeen[11] = 1;
    switch (reader.imageFormat()) {
    case QImage::Format_Invalid:
        pixelFormatsSeen[0] = 1;
        break;
    case QImage::Format_Mono:
        pixelFormatsSeen[1] = 1;
        break;
    case QImage::Format_MonoLSB:
        pixelFormatsSeen[2] = 1;
        break;
    case QImage::Format_Indexed8:
        pixelFormatsSeen[3] = 1;
        break;
    case QImage::Format_RGB32:
        pixelFormatsSeen[4] = 1;
        break;
    case QImage::Format_ARGB32:
        pixelFormatsSeen[5] = 1;
        break;
    case QImage::Format_ARGB32_Premultiplied:
        pixelFormatsSeen[6] = 1;
        break;
    case QImage::Format_RGB888:
        pixelFormatsSeen[7] = 1;
        break;
    case QImage::Format_Grayscale8:
        pixelFormatsSeen[8] = 1;
        break;
    case QImage::Format_Grayscale16:
        pixelFormatsSeen[9] = 1;
        break;
    case QImage::Format_RGBX64:
        pixelFormatsSeen[10] = 1;
        break;
    case QImage::Format_RGBA64:
        pixelFormatsSeen[11] = 1;
        break;
    default:
        pixelFormatsSeen[12] = 1;
        break;
    }
}

void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size))
            != static_cast<qint64>(size))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    application = new FuzzApplication;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // No extension: the content alone decides the format.
    const QString path = application->filePath(QStringLiteral("input"));
    writeFile(path, data, size);
    noteKind(path);
    std::shared_ptr<platform::StdPicture> picture;
    try {
        picture = platform::LoadPicture(path);
    } catch (const platform::RuntimeError &error) {
        using platform::ErrorNumber;
        check(error.number() == static_cast<int32_t>(ErrorNumber::InvalidPicture)
            || error.number() == static_cast<int32_t>(ErrorNumber::OutOfMemory));
        return 0;
    }
    check(picture && !picture->isEmpty());
    const QImage &image = picture->image();
    check(image.format() == QImage::Format_RGB32
        || image.format() == QImage::Format_ARGB32_Premultiplied);

    const QString copy = application->filePath(QStringLiteral("copy.png"));
    check(image.save(copy, "PNG"));
    const auto again = platform::LoadPicture(copy);
    check(again->image().size() == image.size());
    check(again->image().convertToFormat(image.format()) == image);
    return 0;
}
