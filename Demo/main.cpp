// QuillkitTest: the demonstration program. It hosts one of each Quillkit control on TestForm,
// created by class id through the platform's component hosting, never by linking the library.
//
//   QuillkitTest                       run the form
//   QuillkitTest --screenshot FILE     show the form, write a PNG of it after Form_Load, exit
//                [--ticks N]           ... after starting the animation and N timer ticks
//                [--report FILE]       ... and a text report of the form's state and timing
//   QuillkitTest --dark [...]          the same in a dark palette
#include "DarkPalette.h"
#include "DemoDiagnostics.h"
#include "TestForm.h"

#include <Quillkit/Controls/NotificationScope.h>
#include <Quillkit/System/AppPath.h>
#include <Quillkit/System/ProcessInfo.h>
#include <Quillkit/Value/RuntimeError.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

using namespace platform;

namespace {

// The runtime's default handling of an error nobody traps: tell the user.
void reportError(const RuntimeError &error, bool interactive)
{
    const QString text
        = QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(error.text());
    fprintf(stderr, "QuillkitTest: %s\n",
        qPrintable(QString(text).replace(QStringLiteral("\n\n"), QStringLiteral(" "))));
    if (interactive)
        QMessageBox::critical(nullptr, QStringLiteral("QuillkitTest"), text);
}

} // namespace

int main(int argc, char **argv)
{
    // Where start-up goes, phase by phase, for the report.
    QElapsedTimer mainTimer;
    mainTimer.start();
    const double beforeMainMs = platform::millisecondsSinceProcessStart();
#if defined(__GLIBC__)
    // The animated picture box takes a new picture of a new size at every tick. With the
    // allocator's default, which raises its threshold for mapping large blocks to the largest
    // one freed, those pictures come from the heap, and the sizes left behind stay resident;
    // mapped, each one goes back to the system when it is freed.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    QApplication app(argc, argv);
    const double applicationMs = mainTimer.nsecsElapsed() / 1e6;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quillkit demonstration form"));
    parser.addHelpOption();
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
        QStringLiteral("Write a PNG of the form and exit."), QStringLiteral("FILE"));
    const QCommandLineOption ticksOption(QStringLiteral("ticks"),
        QStringLiteral("With --screenshot: animate for N timer ticks first."), QStringLiteral("N"),
        QStringLiteral("0"));
    const QCommandLineOption reportOption(QStringLiteral("report"),
        QStringLiteral("With --screenshot: write the form's state to FILE."),
        QStringLiteral("FILE"));
    const QCommandLineOption darkOption(
        QStringLiteral("dark"), QStringLiteral("Show the form in a dark palette."));
    parser.addOptions({screenshotOption, ticksOption, reportOption, darkOption});
    parser.process(app);
    // Before any form exists, so that every control starts from it.
    if (parser.isSet(darkOption))
        QApplication::setPalette(demo::darkPalette());
    const bool interactive = !parser.isSet(screenshotOption);
    // Errors of event procedures nobody waits for (a click, a tick) are reported the same way.
    setUnhandledErrorHandler(
        [interactive](const RuntimeError &error) { reportError(error, interactive); });

    QElapsedTimer formTimer;
    formTimer.start();
    ComponentHost host;
    std::unique_ptr<TestForm> testForm;
    try {
        testForm = std::make_unique<TestForm>(host, appPath() + QStringLiteral("/TestForm"));
    } catch (const RuntimeError &error) {
        reportError(error, interactive);
        return 1;
    }

    const double formCreatedMs = formTimer.nsecsElapsed() / 1e6;
    int status = 0;
    QElapsedTimer loadTimer;
    loadTimer.start();
    try {
        testForm->Form_Load();
    } catch (const RuntimeError &error) {
        reportError(error, interactive);
        status = 1;
    }
    const double formLoadMs = loadTimer.nsecsElapsed() / 1e6;
    QElapsedTimer showTimer;
    showTimer.start();
    testForm->form().Show();

    if (interactive)
        return app.exec() | status;

    // The first frame: the window painted into its backing store, as a display shows it.
    QCoreApplication::processEvents();
    testForm->form().window()->repaint();
    const QImage firstFrame = demo::renderWindow(testForm->form().window());
    const double firstFrameMs = platform::millisecondsSinceProcessStart();
    const double showMs = showTimer.nsecsElapsed() / 1e6;
    const double mainMs = mainTimer.nsecsElapsed() / 1e6;
    const long residentBeforeTicks = platform::residentKilobytes();

    const int ticks = parser.value(ticksOption).toInt();
    long residentAfterTicks = residentBeforeTicks;
    long residentAfterFirstTick = residentBeforeTicks;
    long residentAfterHalfTicks = residentBeforeTicks;
    QImage shot = firstFrame;
    if (ticks > 0) {
        int counted = 0;
        QEventLoop loop;
        Timer &timer = testForm->Timer1();
        timer.onTimer = [&] {
            testForm->Timer1_Timer();
            if (++counted == 1)
                residentAfterFirstTick = platform::residentKilobytes();
            if (counted == ticks / 2)
                residentAfterHalfTicks = platform::residentKilobytes();
            if (counted == ticks) {
                testForm->Command2_Click(); // stops the animation where it is
                residentAfterTicks = platform::residentKilobytes();
                loop.quit();
            }
        };
        testForm->Command2_Click();
        loop.exec();
        QCoreApplication::processEvents();
        shot = demo::renderWindow(testForm->form().window());
    }

    const QString file = parser.value(screenshotOption);
    if (!shot.save(file, "PNG")) {
        fprintf(stderr, "QuillkitTest: cannot write %s\n", qPrintable(file));
        return 2;
    }
    if (parser.isSet(reportOption)) {
        QFile report(parser.value(reportOption));
        if (!report.open(QIODevice::WriteOnly)) {
            fprintf(stderr, "QuillkitTest: cannot write %s\n", qPrintable(report.fileName()));
            return 2;
        }
        QString text = demo::stateReport(*testForm);
        text += QStringLiteral("timing.first_frame_ms: %1\ntiming.form_load_ms: %2\n")
                    .arg(firstFrameMs, 0, 'f', 1)
                    .arg(formLoadMs, 0, 'f', 1);
        // The phases: before main (the process's start clock counts in 10 ms steps), the
        // toolkit's start, the form file with its controls, Form_Load, showing and painting.
        text += QStringLiteral("timing.before_main_ms: %1\ntiming.application_ms: %2\n"
                               "timing.form_created_ms: %3\ntiming.first_paint_ms: %4\n"
                               "timing.main_ms: %5\n")
                    .arg(beforeMainMs, 0, 'f', 1)
                    .arg(applicationMs, 0, 'f', 1)
                    .arg(formCreatedMs, 0, 'f', 1)
                    .arg(showMs, 0, 'f', 1)
                    .arg(mainMs, 0, 'f', 1);
        text
            += QStringLiteral("memory.rss_before_ticks_kb: %1\nmemory.rss_after_first_tick_kb: %2\n"
                              "memory.rss_after_half_ticks_kb: %3\nmemory.rss_after_ticks_kb: %4\n"
                              "memory.peak_kb: %5\n")
                   .arg(residentBeforeTicks)
                   .arg(residentAfterFirstTick)
                   .arg(residentAfterHalfTicks)
                   .arg(residentAfterTicks)
                   .arg(platform::peakResidentKilobytes());
        report.write(text.toUtf8());
    }
    printf("QuillkitTest: form pictured in %s\n", qPrintable(file));
    return status;
}
