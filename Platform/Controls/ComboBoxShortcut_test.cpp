#include "../TestSupport/ControlTestHost.h"
#include "ComboBox.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <ostream>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *name;
};

void PrintTo(const Key &key, std::ostream *os)
{
    *os << key.name;
}

std::string keyName(const ::testing::TestParamInfo<Key> &info)
{
    return info.param.name;
}

// --- Whether the edit field keeps a key from the window's shortcuts ---

// The combo's edit field answers the shortcut override of every key as a plain editable combo
// of the toolkit does, read-only or not, asked through the field or through the combo.
class ComboBoxShortcutOverride : public ::testing::TestWithParam<Key>
{
};

struct Answer
{
    bool handled;
    bool accepted;
    bool operator==(const Answer &) const = default;
};

void PrintTo(const Answer &answer, std::ostream *os)
{
    *os << "handled " << answer.handled << ", accepted " << answer.accepted;
}

Answer overrideAnswer(QWidget *target, const Key &key)
{
    QKeyEvent event(QEvent::ShortcutOverride, key.key, key.modifiers, QString());
    event.ignore();
    const bool handled = QApplication::sendEvent(target, &event);
    return {handled, event.isAccepted()};
}

TEST_P(ComboBoxShortcutOverride, AnswersAsTheToolkitsComboDoes)
{
    ControlTestHost host;
    ASSERT_TRUE(host.activate());
    auto combo = host.make<ComboBox>(QStringLiteral("cmbCombo"));
    QComboBox plain(host.window());
    plain.setEditable(true);
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "editable");
        combo->lineEdit()->setReadOnly(readOnly);
        plain.lineEdit()->setReadOnly(readOnly);
        EXPECT_EQ(overrideAnswer(combo->lineEdit(), GetParam()),
            overrideAnswer(plain.lineEdit(), GetParam()));
        EXPECT_EQ(
            overrideAnswer(combo->comboBox(), GetParam()), overrideAnswer(&plain, GetParam()));
    }
}

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Keypad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers Alt = Qt::AltModifier;

INSTANTIATE_TEST_SUITE_P(Table, ComboBoxShortcutOverride,
    ::testing::Values(Key {Qt::Key_Z, None, "Z"}, Key {Qt::Key_Z, Shift, "ShiftZ"},
        Key {Qt::Key_Z, Ctrl, "CtrlZ"}, Key {Qt::Key_Z, Ctrl | Shift, "CtrlShiftZ"},
        Key {Qt::Key_Z, Alt, "AltZ"}, Key {Qt::Key_Z, Ctrl | Alt, "CtrlAltZ"},
        Key {Qt::Key_Z, Shift | Keypad, "ShiftKeypadZ"}, Key {Qt::Key_A, Ctrl, "CtrlA"},
        Key {Qt::Key_C, Ctrl, "CtrlC"}, Key {Qt::Key_V, Ctrl, "CtrlV"},
        Key {Qt::Key_Space, None, "Space"}, Key {Qt::Key_1, Keypad, "Keypad1"},
        Key {Qt::Key_Exclam, Shift, "Exclam"}, Key {Qt::Key_Agrave, None, "Agrave"},
        Key {Qt::Key_Escape, None, "Escape"}, Key {Qt::Key_Backspace, None, "Backspace"},
        Key {Qt::Key_Delete, None, "Delete"}, Key {Qt::Key_Home, Shift, "ShiftHome"},
        Key {Qt::Key_Left, Ctrl, "CtrlLeft"}, Key {Qt::Key_Right, None, "Right"},
        Key {Qt::Key_Up, None, "Up"}, Key {Qt::Key_Insert, Shift, "ShiftInsert"},
        Key {Qt::Key_Return, None, "Return"}, Key {Qt::Key_Enter, Keypad, "KeypadEnter"},
        Key {Qt::Key_Tab, None, "Tab"}, Key {Qt::Key_F5, None, "F5"},
        Key {Qt::Key_unknown, None, "Unknown"}),
    keyName);

// --- Typing with shortcuts in the window ---

// A shortcut of the window on a key the field types with never fires while the field has the
// focus: the key types. A shortcut on any other key fires, and the field does not see the key.
struct Typing
{
    Key key;
    bool shortcutFires;
    QString typed;
};

void PrintTo(const Typing &typing, std::ostream *os)
{
    *os << typing.key.name;
}

class ComboBoxShortcutTyping : public ::testing::TestWithParam<Typing>
{
};

TEST_P(ComboBoxShortcutTyping, TypesOrFiresTheShortcut)
{
    const Typing &typing = GetParam();
    ControlTestHost host;
    ASSERT_TRUE(host.activate());
    auto combo = host.make<ComboBox>(QStringLiteral("cmbCombo"));
    QAction action(host.window());
    action.setShortcut(QKeySequence(typing.key.key | typing.key.modifiers));
    action.setShortcutContext(Qt::WindowShortcut);
    host.window()->addAction(&action);
    int fired = 0;
    QObject::connect(&action, &QAction::triggered, [&fired] { ++fired; });
    combo->SetFocus();
    ASSERT_TRUE(combo->lineEdit()->hasFocus());

    QTest::keyClick(combo->lineEdit(), typing.key.key, typing.key.modifiers);
    EXPECT_EQ(fired, typing.shortcutFires ? 1 : 0);
    EXPECT_EQ(combo->Text(), typing.typed);
}

std::string typingName(const ::testing::TestParamInfo<Typing> &info)
{
    return info.param.key.name;
}

INSTANTIATE_TEST_SUITE_P(Table, ComboBoxShortcutTyping,
    ::testing::Values(Typing {{Qt::Key_Z, None, "Z"}, false, QStringLiteral("z")},
        Typing {{Qt::Key_Exclam, Shift, "ShiftExclam"}, false, QStringLiteral("!")},
        Typing {{Qt::Key_Space, None, "Space"}, false, QStringLiteral(" ")},
        Typing {{Qt::Key_5, Keypad, "Keypad5"}, false, QStringLiteral("5")},
        Typing {{Qt::Key_Z, Alt, "AltZ"}, true, QString()},
        Typing {{Qt::Key_B, Ctrl, "CtrlB"}, true, QString()},
        Typing {{Qt::Key_F5, None, "F5"}, true, QString()},
        Typing {{Qt::Key_Escape, None, "Escape"}, true, QString()}),
    typingName);

} // namespace
