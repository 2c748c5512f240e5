#pragma once

#include "QuillkitTestSupport.h"

#include <Quillkit/Controls/OleColor.h>
#include <Quillkit/Hosting/FormFile.h>
#include <Quillkit/Objects/StdFont.h>
#include <Quillkit/TestSupport/ControlTestHost.h>
#include <Quillkit/TestSupport/TestEnvironment.h>
#include <Quillkit/Value/Conversions.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <ostream>
#include <vector>

// Texts in failure messages as text, quoted, with control characters and surrogates escaped.
static inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"';
    if (text.size() > 200) {
        *os << text.left(40).toStdString() << "...(" << text.size() << " code units)";
    } else {
        for (const QChar c : text) {
            if (c.unicode() < 0x20 || c.isSurrogate())
                *os << "\\u" << QString::number(c.unicode(), 16).toStdString();
            else
                *os << QString(c).toStdString();
        }
    }
    *os << '"';
}

namespace quillkit::test {

// Member ids of _QuillInputBox, as hosts bind them.
namespace InputBoxId {
constexpr platform::DispId ForeColor = 0x68030000;
constexpr platform::DispId BackColor = 0x68030001;
constexpr platform::DispId Alignment = 0x68030002;
constexpr platform::DispId Text = 0x68030003;
constexpr platform::DispId Style = 0x68030004;
constexpr platform::DispId Font = platform::StandardDispId::Font;
constexpr platform::DispId ChangeEvent = 1;
} // namespace InputBoxId

inline const QString InputBoxProgId = QStringLiteral("Quillkit.QuillInputBox");

// A form with Quillkit registered, the en_US locale pinned, and helpers to place an input box,
// reach its two boxes and count its Change events.
class InputBoxTest : public WithQuillkit
{
protected:
    platform::ControlSite &place(
        const platform::PropertyBag *saved = nullptr, const QString &name = QStringLiteral("Box1"))
    {
        platform::ControlSite &site
            = form.addControl(InputBoxProgId, name, QRectF(120, 120, 2400, 450), saved);
        site.onEvent = [this](platform::DispId id, const platform::Args &args) {
            EXPECT_EQ(id, InputBoxId::ChangeEvent);
            EXPECT_TRUE(args.empty());
            ++changes;
        };
        return site;
    }

    // Loaded from a bag holding just these keys.
    platform::ControlSite &load(int32_t style, const QString &text, int32_t alignment = 0,
        const QString &name = QStringLiteral("Box1"))
    {
        platform::PropertyBag bag;
        bag.WriteProperty(QStringLiteral("style"), platform::Variant(style));
        bag.WriteProperty(QStringLiteral("text"), platform::Variant(text));
        bag.WriteProperty(QStringLiteral("alignment"), platform::Variant(alignment));
        return place(&bag, name);
    }

    // A standard text box beside the control, to take the focus from it.
    QLineEdit *addOtherBox()
    {
        platform::SavedControl other;
        other.kind = QStringLiteral("TextBox");
        other.name = QStringLiteral("txtOther");
        other.left = 120;
        other.top = 1200;
        other.width = 2400;
        other.height = 300;
        form.addStandardControl(other);
        return form.window()->findChild<QLineEdit *>(QStringLiteral("txtOther"));
    }

    // Shows the form and makes it the active window, which real focus needs.
    bool showForm()
    {
        form.setClientSize(4800, 3600);
        // The window keeps the focus itself when it is activated, so that no box gains it
        // before the test asks.
        form.window()->setFocus();
        form.Show();
        QApplication::setActiveWindow(form.window());
        form.window()->activateWindow();
        return QTest::qWaitForWindowActive(form.window());
    }

    static QLineEdit *box(const platform::ControlSite &site, const char *name)
    {
        return site.widget()->findChild<QLineEdit *>(QString::fromLatin1(name));
    }
    static QLineEdit *left(const platform::ControlSite &site) { return box(site, "txtLeft"); }
    static QLineEdit *right(const platform::ControlSite &site) { return box(site, "txtRight"); }

    // Which box is shown: "txtLeft", "txtRight", "none" or "both".
    static QString shownBox(const platform::ControlSite &site)
    {
        const bool l = !left(site)->isHidden();
        const bool r = !right(site)->isHidden();
        return l && r ? QStringLiteral("both")
            : l       ? QStringLiteral("txtLeft")
            : r       ? QStringLiteral("txtRight")
                      : QStringLiteral("none");
    }
    static QLineEdit *shown(const platform::ControlSite &site)
    {
        return left(site)->isHidden() ? right(site) : left(site);
    }

    static QColor textColor(const QLineEdit *edit)
    {
        return edit->palette().color(QPalette::Active, QPalette::Text);
    }
    static QColor backColor(const QLineEdit *edit)
    {
        return edit->palette().color(QPalette::Active, QPalette::Base);
    }
    static QColor color(uint32_t oleColor) { return platform::OleColor::toQColor(oleColor); }

    static platform::Variant get(const platform::ControlSite &site, platform::DispId id)
    {
        return site.control()->invoke(id, platform::InvokeKind::PropertyGet, {});
    }
    static void let(
        const platform::ControlSite &site, platform::DispId id, const platform::Variant &value)
    {
        site.control()->invoke(id, platform::InvokeKind::PropertyLet, {value});
    }
    static void setFont(const platform::ControlSite &site, const platform::Variant &font)
    {
        site.control()->invoke(InputBoxId::Font, platform::InvokeKind::PropertySetRef, {font});
    }
    static QString text(const platform::ControlSite &site)
    {
        return platform::toText(get(site, InputBoxId::Text));
    }
    // The control's font object, as the Font getter returns it.
    static platform::StdFontPtr fontOf(const platform::ControlSite &site)
    {
        return std::dynamic_pointer_cast<platform::StdFont>(get(site, InputBoxId::Font).object());
    }

    // Focuses a box as a click does, with the caret at the end of its text.
    static void clickInto(QLineEdit *edit)
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_End);
    }

    // Types into whatever has the focus: a tab character is the Tab key, ASCII goes as keys
    // with their key codes, anything else one code point at a time as an input method sends it.
    static void typeKeys(const QString &keys)
    {
        for (qsizetype i = 0; i < keys.size(); ++i) {
            QWidget *target = QApplication::focusWidget();
            const QChar c = keys.at(i);
            if (c == u'\t') {
                QTest::keyClick(target, Qt::Key_Tab);
            } else if (c.unicode() < 0x80) {
                QTest::keyClick(target, static_cast<char>(c.unicode()));
            } else {
                const bool pair
                    = c.isHighSurrogate() && i + 1 < keys.size() && keys.at(i + 1).isLowSurrogate();
                platform::test::ControlTestHost::typeText(target, keys.mid(i, pair ? 2 : 1));
                i += pair ? 1 : 0;
            }
        }
    }

    platform::test::ScopedLocale locale {QLocale(QLocale::English, QLocale::UnitedStates)};
    int changes = 0;
};

} // namespace quillkit::test
