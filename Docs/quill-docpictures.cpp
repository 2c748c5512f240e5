// quill-docpictures: draws the pictures of the controls' reference, each control placed by ProgID
// on a form of its own and put in the state the picture shows, headless. Run it once per scale
// factor; at a factor other than 1 every file name takes "@<factor>x" before its extension.
//   quill-docpictures LIBRARY OUTDIR
#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/ControlSite.h>
#include <Quillkit/Hosting/HostForm.h>
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/System/LoadPicture.h>
#include <Quillkit/System/SettingsStore.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/RuntimeError.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace platform;

namespace {

constexpr int Margin = 12; // pixels of form around the control

// The form as shown, with the drop-down or other popup open over it, what lies outside the
// form's clipping region left out and a translucent form over a checkerboard, so that its
// translucency shows.
QImage shown(QWidget *window)
{
    QWidget *popup = QApplication::activePopupWidget();
    const QPoint origin = window->mapToGlobal(QPoint(0, 0));
    QRect area(QPoint(0, 0), window->size());
    QRect popupArea;
    if (popup) {
        popupArea = QRect(popup->mapToGlobal(QPoint(0, 0)) - origin, popup->size());
        area |= popupArea;
    }
    const QPixmap form = window->grab();
    const qreal ratio = form.devicePixelRatio();
    QImage picture((area.size() * ratio), QImage::Format_ARGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.translate(-area.topLeft());
    painter.save();
    if (!window->mask().isEmpty())
        painter.setClipRegion(window->mask());
    if (window->windowOpacity() < 1.0) {
        const int cell = 8;
        for (int y = 0; y < window->height(); y += cell) {
            for (int x = 0; x < window->width(); x += cell) {
                painter.fillRect(QRect(x, y, cell, cell),
                    ((x + y) / cell) % 2 ? QColor(0xcc, 0xcc, 0xcc) : QColor(0x99, 0x99, 0x99));
            }
        }
    }
    painter.setOpacity(window->windowOpacity());
    painter.drawPixmap(0, 0, form);
    painter.restore();
    if (popup)
        painter.drawPixmap(popupArea.topLeft(), popup->grab());
    return picture;
}

class Pictures
{
public:
    Pictures(ComponentHost &host, QString folder, QString suffix)
        : m_host(host), m_folder(std::move(folder)), m_suffix(std::move(suffix))
    { }

    // A form holding one control of the class, sized to it, shown and active.
    struct Placed
    {
        std::unique_ptr<HostForm> form;
        ControlSite *site = nullptr;
        DispatchPtr control;
    };
    Placed place(const QString &progId, double widthTwips, double heightTwips,
        const PropertyBag *saved = nullptr)
    {
        Placed placed;
        placed.form = std::make_unique<HostForm>(m_host, QStringLiteral("ReferenceForm"));
        const double margin = Margin * 15.0;
        placed.form->setClientSize(widthTwips + 2 * margin, heightTwips + 2 * margin);
        placed.site = &placed.form->addControl(progId, QStringLiteral("Control"),
            QRectF(margin, margin, widthTwips, heightTwips), saved);
        placed.control = placed.site->control();
        placed.form->Show();
        placed.form->window()->activateWindow();
        if (!QTest::qWaitForWindowExposed(placed.form->window()))
            throw RuntimeError(
                ErrorNumber::InvalidProcedureCall, QStringLiteral("the form was never shown"));
        return placed;
    }

    // Saves the form as shown; with `only`, just the part of it those widgets cover, and the
    // margin around them.
    void save(const Placed &placed, const QString &name, const QList<QWidget *> &only = {})
    {
        QApplication::processEvents();
        QTest::qWait(50);
        QImage picture = shown(placed.form->window());
        if (!only.isEmpty()) {
            QRect area;
            for (QWidget *widget : only) {
                area |= QRect(widget->mapTo(placed.form->window(), QPoint(0, 0)), widget->size());
            }
            area.adjust(-Margin, -Margin, Margin, Margin);
            const qreal ratio = picture.devicePixelRatio();
            picture = picture.copy(QRect(area.topLeft() * ratio, area.size() * ratio));
            picture.setDevicePixelRatio(ratio);
        }
        const QString file = QDir(m_folder).filePath(name + m_suffix + QStringLiteral(".png"));
        if (!picture.save(file))
            throw RuntimeError(ErrorNumber::PathFileAccessError, file);
        std::printf("%s\n", qPrintable(file));
    }

    QWidget *child(const Placed &placed, const char *name)
    {
        auto *widget = placed.site->widget()->findChild<QWidget *>(QString::fromLatin1(name));
        if (!widget)
            throw RuntimeError(ErrorNumber::ObjectVariableNotSet, QString::fromLatin1(name));
        return widget;
    }

private:
    ComponentHost &m_host;
    QString m_folder;
    QString m_suffix;
};

const QStringList Fruits {QStringLiteral("Apple"), QStringLiteral("Apricot"),
    QStringLiteral("Banana"), QStringLiteral("Grape"), QStringLiteral("Papaya"),
    QStringLiteral("Pear"), QStringLiteral("Pineapple"), QStringLiteral("Plum")};

void comboBoxPictures(Pictures &pictures)
{
    // Picked before: the most picked come first in the drop-down, above the separator.
    SaveSetting(QStringLiteral("QuillComboBox"), QStringLiteral("Parametros"),
        QStringLiteral("Selecciones"), QStringLiteral("Grape|5|Plum|3|Apple|2|"));
    auto filled = [&] {
        auto placed = pictures.place(QStringLiteral("Quillkit.QuillComboBox"), 3270, 2385);
        for (const QString &fruit : Fruits)
            placed.control->call(QStringLiteral("AddItem"), {Variant(fruit)});
        return placed;
    };
    {
        auto placed = filled();
        placed.control->get(QStringLiteral("ComboBox"))
            .object()
            ->let(QStringLiteral("Text"), Variant(QStringLiteral("Pear")));
        // Closed, the control is its combo and search button; the panel's place stays empty.
        pictures.save(placed, QStringLiteral("QuillComboBox-closed"),
            {pictures.child(placed, "cmbCombo"), pictures.child(placed, "cmdBuscar")});
    }
    {
        auto placed = filled();
        auto *combo = qobject_cast<QComboBox *>(pictures.child(placed, "cmbCombo"));
        if (!combo)
            throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("cmbCombo"));
        combo->showPopup();
        pictures.save(placed, QStringLiteral("QuillComboBox-drop-down-with-the-most-picked"));
        combo->hidePopup();
    }
    {
        auto placed = filled();
        qobject_cast<QAbstractButton *>(pictures.child(placed, "cmdBuscar"))->click();
        QApplication::processEvents();
        QWidget *search = pictures.child(placed, "txtBuscar");
        search->setFocus();
        QTest::keyClicks(search, QStringLiteral("ap"));
        pictures.save(placed, QStringLiteral("QuillComboBox-search-panel"));
    }
}

void inputBoxPictures(Pictures &pictures)
{
    struct Case
    {
        const char *name;
        int style;
        const char *text;
    };
    for (const Case c : {Case {"QuillInputBox-standard", 0, "Quarterly report"},
             Case {"QuillInputBox-currency", 1, "1234.5"},
             Case {"QuillInputBox-currency-negative", 1, "-1234.5"}}) {
        const PropertyBag defaults;
        auto placed
            = pictures.place(QStringLiteral("Quillkit.QuillInputBox"), 3000, 330, &defaults);
        placed.control->let(QStringLiteral("style"), Variant(int32_t(c.style)));
        placed.control->let(QStringLiteral("Text"), Variant(QString::fromUtf8(c.text)));
        pictures.save(placed, QString::fromLatin1(c.name));
    }
}

void formPictures(Pictures &pictures)
{
    // The form the control shapes: rounded corners and 25 % translucency, with an input box on
    // it so that the translucency shows against something.
    const PropertyBag defaults;
    auto placed = pictures.place(QStringLiteral("Quillkit.QuillInputBox"), 3000, 330, &defaults);
    placed.control->let(QStringLiteral("Text"), Variant(QStringLiteral("On a rounded form")));
    placed.form->setClientSize(3600, 1500);
    ControlSite &shape = placed.form->addControl(QStringLiteral("Quillkit.QuillForm"),
        QStringLiteral("Shape"), QRectF(3000, 900, 510, 510), &defaults);
    shape.control()->let(QStringLiteral("CornerSize"), Variant(int32_t(48)));
    shape.control()->let(QStringLiteral("Transparency"), Variant(int32_t(25)));
    pictures.save(placed, QStringLiteral("QuillForm-translucent-rounded-form"));
}

void pictureBoxPictures(Pictures &pictures, const QString &scratch)
{
    // A chart of its own, 4:3, so that the stretching shows at both sizes.
    QImage chart(320, 240, QImage::Format_RGB32);
    chart.fill(Qt::white);
    QPainter painter(&chart);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colors[] = {QColor(0x2b, 0x6c, 0xb0), QColor(0xe0, 0x8a, 0x1e),
        QColor(0x3a, 0x9a, 0x4a), QColor(0xb0, 0x3a, 0x3a)};
    const int heights[] = {120, 180, 90, 200};
    for (int i = 0; i < 4; ++i)
        painter.fillRect(QRect(30 + i * 72, 220 - heights[i], 50, heights[i]), colors[i]);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawLine(20, 220, 300, 220);
    painter.drawEllipse(QPoint(60, 40), 20, 20);
    painter.end();
    const QString file = QDir(scratch).filePath(QStringLiteral("chart.png"));
    chart.save(file);

    struct Size
    {
        const char *name;
        double width;
        double height;
    };
    for (const Size size : {Size {"QuillPictureBox-stretched-wide", 4800, 1800},
             Size {"QuillPictureBox-stretched-tall", 1800, 2700}}) {
        const PropertyBag defaults;
        auto placed = pictures.place(
            QStringLiteral("Quillkit.QuillPictureBox"), size.width, size.height, &defaults);
        placed.control->setRef(QStringLiteral("Picture"), LoadPicture(file));
        pictures.save(placed, QString::fromLatin1(size.name));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Settings and registrations go to a folder of the run's own; the user's stay untouched.
    QTemporaryDir scratch;
    qputenv(
        "QUILL_SETTINGS_DIR", QDir(scratch.path()).filePath(QStringLiteral("settings")).toUtf8());
    qputenv(
        "QUILL_REGISTRY", QDir(scratch.path()).filePath(QStringLiteral("registry.json")).toUtf8());
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: quill-docpictures LIBRARY OUTDIR\n");
        return 2;
    }
    try {
        if (!QDir().mkpath(args[2]))
            throw RuntimeError(ErrorNumber::PathFileAccessError, args[2]);
        registerLibraryFile(args[1]);
        const qreal ratio = app.devicePixelRatio();
        const QString suffix
            = qFuzzyCompare(ratio, 1.0) ? QString() : QStringLiteral("@%1x").arg(ratio);
        ComponentHost host;
        Pictures pictures(host, args[2], suffix);
        comboBoxPictures(pictures);
        inputBoxPictures(pictures);
        formPictures(pictures);
        pictureBoxPictures(pictures, scratch.path());
    } catch (const RuntimeError &error) {
        std::fprintf(stderr, "quill-docpictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
