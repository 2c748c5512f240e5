#include "LoadPicture.h"

#include "../Value/RuntimeError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class Pictures : public testing::Test
{
protected:
    QString path(const QString &name) const { return QDir(folder.path()).filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    // Red, green, blue and yellow quadrants, clockwise from the top left.
    static QImage chart(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        painter.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
        painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::yellow);
        painter.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
        return image;
    }

    static RuntimeError errorLoading(const QString &fileName)
    {
        try {
            LoadPicture(fileName);
        } catch (const RuntimeError &error) {
            return error;
        }
        return RuntimeError(0, QStringLiteral("no error"));
    }

    QTemporaryDir folder;
};

uint32_t crc32(const QByteArray &bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= uint8_t(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(uint32_t value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    const QByteArray body = QByteArray(type) + data;
    return bigEndian(uint32_t(data.size())) + body + bigEndian(crc32(body));
}

// A PNG that declares its size in its header but carries no real pixel data, so decoding it
// would fail: what it may raise is decided by the header alone.
QByteArray pngHeaderOnly(uint32_t width, uint32_t height)
{
    QByteArray header = bigEndian(width) + bigEndian(height);
    header += QByteArray::fromHex("0802000000"); // 8-bit RGB, no interlace
    return QByteArray::fromHex("89504E470D0A1A0A") + pngChunk("IHDR", header)
        + pngChunk("IDAT", QByteArray::fromHex("78DA")) + pngChunk("IEND", {});
}

TEST_F(Pictures, TheEmptyNameGivesAnEmptyPicture)
{
    const auto picture = LoadPicture(QString());
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->isEmpty());
    EXPECT_EQ(picture->Type(), 0);
    EXPECT_EQ(picture->Width(), 0);
    EXPECT_NE(LoadPicture(), picture) << "each call gives its own object";
}

TEST_F(Pictures, PicturesLoadInTheirSizeAndColours)
{
    struct Case
    {
        const char *name;
        const char *format;
        int tolerance;
    };
    const Case cases[] = {
        {"chart.png", "PNG", 0},
        {"chart.bmp", "BMP", 0},
        {"ChartSample.jpg", "JPEG", 12},
        {"chart.jpeg", "JPEG", 12},
        {"png-named.jpg", "PNG", 0},
    };
    const QImage original = chart(64, 48);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(original.save(path(c.name), c.format, 95));
        const auto picture = LoadPicture(path(c.name));
        ASSERT_FALSE(picture->isEmpty());
        EXPECT_EQ(picture->Type(), 1);
        EXPECT_EQ(picture->image().size(), QSize(64, 48));
        EXPECT_EQ(picture->Width(), 1693);
        EXPECT_EQ(picture->Height(), 1270);
        const QPoint probes[] = {{8, 6}, {56, 6}, {56, 42}, {8, 42}};
        for (const QPoint probe : probes) {
            const QColor want = original.pixelColor(probe);
            const QColor got = picture->image().pixelColor(probe);
            EXPECT_NEAR(got.red(), want.red(), c.tolerance) << probe.x() << "," << probe.y();
            EXPECT_NEAR(got.green(), want.green(), c.tolerance) << probe.x() << "," << probe.y();
            EXPECT_NEAR(got.blue(), want.blue(), c.tolerance) << probe.x() << "," << probe.y();
        }
    }
}

TEST_F(Pictures, AMissingFileIsFileNotFoundNamingTheFile)
{
    const QString missing = path("ChartSample.jpg");
    const RuntimeError error = errorLoading(missing);
    EXPECT_EQ(error.number(), 53);
    EXPECT_TRUE(error.text().startsWith("File not found")) << error.what();
    EXPECT_TRUE(error.text().contains(missing)) << error.what();
    EXPECT_EQ(errorLoading(path("no/such/folder/x.png")).number(), 53);
}

TEST_F(Pictures, AFileThatIsNoPictureIsInvalidPicture)
{
    const QString files[] = {
        write("notes.txt", "This is not a picture.\n"),
        write("notes.jpg", "This is not a picture either.\n"),
        write("empty.png", {}),
        write("truncated.png", pngHeaderOnly(100, 100).left(20)),
        write("nodata.png", pngHeaderOnly(100, 100)),
    };
    for (const QString &file : files) {
        const RuntimeError error = errorLoading(file);
        EXPECT_EQ(error.number(), 481) << error.what();
        EXPECT_TRUE(error.text().contains(file)) << error.what();
    }
}

TEST_F(Pictures, AFolderCannotBeRead)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.png"));
    EXPECT_EQ(errorLoading(path("folder.png")).number(), 75);
}

TEST_F(Pictures, AHugePictureIsRefusedFromItsHeader)
{
    const int limitBefore = QImageReader::allocationLimit();
    struct Case
    {
        uint32_t width, height;
    };
    // 8192 x 8193 is the first size past 256 MB at four bytes a pixel.
    const Case cases[] = {{8192, 8193}, {30000, 30000}, {70000, 1000}, {1000, 70000}};
    for (const Case &c : cases) {
        const QString file = write(QStringLiteral("huge-%1x%2.png").arg(c.width).arg(c.height),
            pngHeaderOnly(c.width, c.height));
        QElapsedTimer timer;
        timer.start();
        const RuntimeError error = errorLoading(file);
        EXPECT_EQ(error.number(), 7) << c.width << "x" << c.height << ": " << error.what();
        EXPECT_TRUE(error.text().startsWith("Out of memory")) << error.what();
        EXPECT_TRUE(error.text().contains(file)) << error.what();
        EXPECT_LT(timer.elapsed(), 2000) << "the picture was decoded";
    }
    // Below the limit, the same kind of file is judged by its content.
    EXPECT_EQ(errorLoading(write("small.png", pngHeaderOnly(1000, 1000))).number(), 481);
    EXPECT_EQ(errorLoading(write("wide.png", pngHeaderOnly(60000, 1))).number(), 481);
    EXPECT_EQ(QImageReader::allocationLimit(), limitBefore);
}

} // namespace
