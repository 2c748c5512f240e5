#include "BenchSupport.h"

#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/TestSupport/TestPictures.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/Random.h>
#include <Quillkit/Value/RuntimeError.h>

#include <benchmark/benchmark.h>
#include <cstdio>

namespace bench {

const QImage &chart()
{
    static const QImage image = [] {
        QImage picture(800, 600, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                line[x] = qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256);
        }
        return picture;
    }();
    return image;
}

const QImage &largePhoto()
{
    static const QImage image = platform::test::photoLike({8000, 8000});
    return image;
}

void scaleChartBaseline(benchmark::State &state, Qt::TransformationMode mode)
{
    const QImage &picture = chart();
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    for (auto _ : state) {
        QImage scaled = picture.scaled(width, height, Qt::IgnoreAspectRatio, mode);
        benchmark::DoNotOptimize(scaled.constBits());
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

QStringList demoItems(int randomCount)
{
    platform::resetRandomSequence();
    QStringList items {"Item 1", "Item 2", "Item 3", "Item 4", "Velk"};
    for (int i = 0; i < randomCount; ++i) {
        QString text;
        for (int k = 0; k < 6; ++k) {
            const double code = platform::roundHalfEven(platform::nextRandom() * 20.0 + 65.0);
            text += QChar(static_cast<char16_t>(code));
        }
        items << text;
    }
    return items;
}

bool registerQuillkitIn(const QTemporaryDir &folder, const QString &modulePath)
{
    qputenv("QUILL_REGISTRY", folder.filePath(QStringLiteral("registry.json")).toUtf8());
    qputenv("QUILL_SETTINGS_DIR", folder.filePath(QStringLiteral("settings")).toUtf8());
    try {
        platform::registerLibraryFile(modulePath);
    } catch (const platform::RuntimeError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return false;
    }
    return true;
}

} // namespace bench
