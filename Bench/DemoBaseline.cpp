// The baseline of the demonstration program's start-up: a plain Qt program doing the same job
// with Qt's own widgets (a window of the same size, an editable combo box filled with the same
// 5005 texts, the chart scaled smoothly into a label, a line edit and two buttons), shown and
// rendered once. Prints the time from process start to that first frame and the peak memory.
#include "BenchSupport.h"

#include <Quillkit/System/ProcessInfo.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: DemoBaseline ChartSample.jpg\n");
        return 2;
    }
    QWidget window;
    window.resize(428, 330);
    auto *combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->setGeometry(8, 8, 233, 21);
    for (const QString &item : bench::demoItems())
        combo->addItem(item);
    auto *picture = new QLabel(&window);
    picture->setGeometry(8, 40, 297, 225);
    picture->setPixmap(
        QPixmap::fromImage(QImage(QString::fromLocal8Bit(argv[1]))
                               .scaled(297, 225, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
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
    return 0;
}
