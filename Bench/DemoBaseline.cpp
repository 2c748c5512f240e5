// The baseline of the demonstration program's start-up: a plain Qt program doing the same job
// with Qt's own widgets (a window of the same size, an editable combo box filled with the same
// 5005 texts, the chart scaled smoothly into a label, a line edit and two buttons), shown and
// rendered once. Prints the time from process start to that first frame and the peak memory.
#include "BenchSupport.h"

#include <Quillkit/System/ProcessInfo.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

int main(int argc, char **argv)
{
    QElapsedTimer mainTimer;
    mainTimer.start();
    const double beforeMainMs = platform::millisecondsSinceProcessStart();
    QApplication app(argc, argv);
    const double applicationMs = mainTimer.nsecsElapsed() / 1e6;
    if (argc != 2) {
        fprintf(stderr, "usage: DemoBaseline ChartSample.jpg\n");
        return 2;
    }
    QWidget window;
    window.resize(428, 330);
    auto *combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->setGeometry(8, 8, 233, 21);
    QElapsedTimer fillTimer;
    fillTimer.start();
    for (const QString &item : bench::demoItems())
        combo->addItem(item);
    const double fillMs = fillTimer.nsecsElapsed() / 1e6;
    QElapsedTimer pictureTimer;
    pictureTimer.start();
    auto *picture = new QLabel(&window);
    picture->setGeometry(8, 40, 297, 225);
    picture->setPixmap(
        QPixmap::fromImage(QImage(QString::fromLocal8Bit(argv[1]))
                               .scaled(297, 225, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    const double pictureMs = pictureTimer.nsecsElapsed() / 1e6;
    auto *amount = new QLineEdit(QStringLiteral("$3,000.00"), &window);
    amount->setGeometry(8, 288, 257, 17);
    amount->setAlignment(Qt::AlignRight);
    (new QPushButton(QStringLiteral("Erase recent"), &window))->setGeometry(248, 8, 105, 25);
    (new QPushButton(QStringLiteral("Animate"), &window))->setGeometry(328, 56, 81, 33);
    window.show();
    QCoreApplication::processEvents();
    const QImage frame = window.grab().toImage();
    printf("baseline.first_frame_ms: %.1f\nbaseline.peak_kb: %ld\nbaseline.frame: %dx%d\n",
        platform::millisecondsSinceProcessStart(), platform::peakResidentKilobytes(), frame.width(),
        frame.height());
    // The same phases as the demonstration program's report.
    printf("baseline.before_main_ms: %.1f\nbaseline.application_ms: %.1f\nbaseline.fill_ms: "
           "%.1f\nbaseline.picture_ms: %.1f\nbaseline.main_ms: %.1f\n",
        beforeMainMs, applicationMs, fillMs, pictureMs, mainTimer.nsecsElapsed() / 1e6);
    return 0;
}
