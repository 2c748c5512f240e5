#pragma once

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

namespace benchmark {
class State;
}

namespace bench {

// An 800 x 600 picture with colour gradients, so that scaling has real work to do.
const QImage &chart();

// The baseline of every picture-stretching figure: the toolkit's own scaling of chart() to
// state.range(0) x state.range(1) pixels.
void scaleChartBaseline(benchmark::State &state, Qt::TransformationMode mode);

// An 8000 x 8000 photograph-like picture (256 MB), made on first use in a few seconds.
const QImage &largePhoto();

// The host items of the demonstration form: "Item 1" to "Item 4", "Velk", then `randomCount`
// six-letter texts of the capitals A to U drawn from the runtime's random sequence.
QStringList demoItems(int randomCount = 5000);

// Points the user's registry and settings store at `folder` and registers the Quillkit library
// there, so that a benchmark creates controls as a host does without touching the user's own;
// false, after a message, when the library cannot be registered.
bool registerQuillkitIn(const QTemporaryDir &folder, const QString &modulePath);

} // namespace bench
