// Runs the demonstration program as a user would, headless, and checks what it shows.
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/TestSupport/TestEnvironment.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString BinDir = QStringLiteral(QUILL_BIN_DIR);

class Demo : public testing::Test
{
protected:
    void SetUp() override { platform::registerLibraryFile(BinDir + "/Quillkit.so"); }

    struct Run
    {
        int exitCode = -1;
        QString errors;
        QImage shot;
        QStringList report;
        QString value(const QString &key) const
        {
            for (const QString &line : report)
                if (line.startsWith(key + ": "))
                    return line.mid(key.size() + 2);
            return {};
        }
        QStringList values(const QString &key) const
        {
            QStringList all;
            for (const QString &line : report)
                if (line.startsWith(key + ": "))
                    all << line.mid(key.size() + 2);
            return all;
        }
    };

    Run run(
        const QString &program, const QStringList &extra = {}, const char *scaleFactor = nullptr)
    {
        const QString shot = QDir(folders.path()).filePath("shot.png");
        const QString report = QDir(folders.path()).filePath("report.txt");
        QProcess process;
        if (scaleFactor) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QT_SCALE_FACTOR", QString::fromLatin1(scaleFactor));
            process.setProcessEnvironment(environment);
        }
        process.start(program, QStringList {"--screenshot", shot, "--report", report} + extra);
        EXPECT_TRUE(process.waitForFinished(120000));
        Run result;
        result.exitCode = process.exitCode();
        result.errors = QString::fromUtf8(process.readAllStandardError());
        result.shot = QImage(shot);
        QFile file(report);
        if (file.open(QIODevice::ReadOnly))
            result.report = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        return result;
    }

    platform::test::IsolatedUserFolders folders;
};

TEST_F(Demo, ShowsTheFormWithAllFourControlsWorking)
{
    const Run result = run(BinDir + "/QuillkitTest");
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    ASSERT_FALSE(result.shot.isNull());

    // The combo box: the five fixed items, then 5000 six-letter texts of A to U (no remembered
    // block in a fresh settings store).
    const QStringList items = result.values("combo.item");
    ASSERT_EQ(items.size(), 5005);
    EXPECT_EQ(items.mid(0, 5), QStringList({"Item 1", "Item 2", "Item 3", "Item 4", "Velk"}));
    const QRegularExpression sixLetters("^[A-U]{6}$");
    int withA = 0, withK = 0;
    for (const QString &item : items.mid(5)) {
        ASSERT_TRUE(sixLetters.match(item).hasMatch()) << item.toStdString();
        withA += item.count('A');
        withK += item.count('K');
    }
    // A and U come half as often as the letters between them.
    EXPECT_NEAR(double(withA) / withK, 0.5, 0.1);

    // The input box shows 3000 as currency, bold, on pale yellow.
    EXPECT_EQ(result.value("input.txtRight.visible"), "true");
    EXPECT_EQ(result.value("input.txtRight.text"), "$3,000.00");
    EXPECT_EQ(result.value("input.txtRight.base"), "#ffffc0");
    EXPECT_EQ(result.value("input.txtRight.bold"), "true");

    // The form is rounded: its corners are outside its outline, transparent in the picture.
    EXPECT_EQ(result.value("form.mask.corner"), "outside");
    EXPECT_EQ(qAlpha(result.shot.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(result.shot.pixel(result.shot.width() / 2, result.shot.height() / 2)), 255);

    // The picture box shows the chart stretched over its whole area (4455 x 3375 twips at
    // 120, 600): compared with the chart scaled to that size, pixel by pixel.
    const QImage chart = QImage(BinDir + "/ChartSample.jpg")
                             .scaled(297, 225, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRect area(8, 40, 297, 225);
    double difference = 0;
    int samples = 0;
    for (int y = 10; y < area.height() - 10; y += 7) {
        for (int x = 10; x < area.width() - 10; x += 7) {
            const QRgb shown = result.shot.pixel(area.x() + x, area.y() + y);
            const QRgb expected = chart.pixel(x, y);
            difference += std::abs(qRed(shown) - qRed(expected))
                + std::abs(qGreen(shown) - qGreen(expected))
                + std::abs(qBlue(shown) - qBlue(expected));
            ++samples;
        }
    }
    EXPECT_LT(difference / samples, 30.0);
}

// At a scale factor of 2 the picture has twice the pixels each way and shows the same form:
// scaled down, it is close to the picture at 1 everywhere, the corners cut by the outline too.
TEST_F(Demo, TheScreenshotIsTheSameFormAtEveryScaleFactor)
{
    const Run one = run(BinDir + "/QuillkitTest", {}, "1");
    const Run two = run(BinDir + "/QuillkitTest", {}, "2");
    ASSERT_EQ(one.exitCode, 0) << one.errors.toStdString();
    ASSERT_EQ(two.exitCode, 0) << two.errors.toStdString();
    ASSERT_FALSE(one.shot.isNull());
    ASSERT_EQ(two.shot.size(), one.shot.size() * 2);
    const QImage a = one.shot.convertToFormat(QImage::Format_ARGB32);
    const QImage b
        = two.shot.scaled(one.shot.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
              .convertToFormat(QImage::Format_ARGB32);
    // Compared quarter by quarter, so that a form drawn into one quarter cannot pass.
    const int w = a.width() / 2, h = a.height() / 2;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const QRect area((quarter % 2) * w, (quarter / 2) * h, w, h);
        double difference = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                difference += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                    + std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
            }
        }
        // Text and edges are drawn anew at 2x, not enlarged: a small average difference.
        EXPECT_LT(difference / (4.0 * w * h), 24.0) << "quarter " << quarter;
    }
    EXPECT_EQ(qAlpha(two.shot.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(two.shot.pixel(two.shot.width() - 1, two.shot.height() - 1)), 0);
}

// With --dark the form shows on a dark ground, and the amount, whose back colour is stored pale
// yellow, keeps dark text on it.
TEST_F(Demo, ShowsTheFormInADarkPaletteOnRequest)
{
    const Run result = run(BinDir + "/QuillkitTest", {"--dark"});
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    ASSERT_FALSE(result.shot.isNull());
    // Beside the Animate button, where only the form's ground shows.
    EXPECT_LT(qGray(result.shot.pixel(390, 200)), 80);
    EXPECT_EQ(result.value("input.txtRight.base"), "#ffffc0");
    EXPECT_LT(qGray(QColor(result.value("input.txtRight.textcolor")).rgb()), 80);
}

TEST_F(Demo, AMissingPictureEndsFormLoadAfterTheComboBoxIsFilled)
{
    // The program and its form file in a folder without the picture.
    const QString dir = QDir(folders.path()).filePath("nopicture");
    QDir().mkpath(dir);
    ASSERT_TRUE(QFile::copy(BinDir + "/QuillkitTest", dir + "/QuillkitTest"));
    ASSERT_TRUE(QFile::copy(BinDir + "/TestForm", dir + "/TestForm"));
    QFile(dir + "/QuillkitTest").setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    const Run result = run(dir + "/QuillkitTest");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.errors.contains("Run-time error '53'")) << result.errors.toStdString();
    EXPECT_TRUE(result.errors.contains("ChartSample.jpg")) << result.errors.toStdString();
    EXPECT_EQ(result.value("combo.count"), "5005");
}

TEST_F(Demo, AnimationChangesTheSizeAndKeepsTheLeftAndTopEdges)
{
    const Run result = run(BinDir + "/QuillkitTest", {"--ticks", "6"});
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    const QStringList rect = result.value("picture.rect").split(' ');
    ASSERT_EQ(rect.size(), 4);
    EXPECT_EQ(rect[0], "120");
    EXPECT_EQ(rect[1], "600");
    EXPECT_NE(rect[2].toDouble(), 4455.0);
    EXPECT_NE(rect[3].toDouble(), 3375.0);
    // Six ticks move each side by less than 100 twips each.
    EXPECT_LT(std::abs(rect[2].toDouble() - 4455.0), 600.0);
    EXPECT_LT(std::abs(rect[3].toDouble() - 3375.0), 600.0);
}

} // namespace
