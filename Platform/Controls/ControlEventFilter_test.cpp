#include "../TestSupport/ControlTestHost.h"
#include "TextBox.h"

#include <QIntValidator>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

// Typed text reaches a text box's line edit by a shorter way than the line edit's own key
// handling. Whatever the way, the keys must edit exactly as they edit a plain line edit.

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char16_t *text;
};

struct TypingCase
{
    const char *label;
    const char16_t *before;
    int selectFrom; // -1: the cursor at the end
    int selectLength;
    void (*configure)(QLineEdit &edit);
    std::vector<Key> keys;
};

// What a line edit shows and reports after the keys, and after Undo and Redo.
struct Outcome
{
    QStringList edited;
    std::vector<bool> accepted;
    QString text;
    QString displayText;
    int cursor = 0;
    int selectionStart = 0;
    QString selected;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    QString undone;
    QString redone;
};

bool sendKey(QWidget *target, const Key &key)
{
    return ControlTestHost::pressKey(target, key.key, key.modifiers, QString::fromUtf16(key.text));
}

Outcome typeInto(QLineEdit &edit, const TypingCase &c)
{
    if (c.configure)
        c.configure(edit);
    edit.setText(QString::fromUtf16(c.before));
    if (c.selectFrom >= 0)
        edit.setSelection(c.selectFrom, c.selectLength);
    Outcome outcome;
    QObject::connect(&edit, &QLineEdit::textEdited, &edit,
        [&outcome](const QString &text) { outcome.edited.append(text); });
    for (const Key &key : c.keys)
        outcome.accepted.push_back(sendKey(&edit, key));
    outcome.text = edit.text();
    outcome.displayText = edit.displayText();
    outcome.cursor = edit.cursorPosition();
    outcome.selectionStart = edit.selectionStart();
    outcome.selected = edit.selectedText();
    outcome.direction = edit.layoutDirection();
    sendKey(&edit, {Qt::Key_Z, Qt::ControlModifier, u"\x1a"});
    outcome.undone = edit.text();
    sendKey(&edit, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, u"\x1a"});
    outcome.redone = edit.text();
    QObject::disconnect(&edit, &QLineEdit::textEdited, &edit, nullptr);
    return outcome;
}

class TypedText : public ::testing::TestWithParam<TypingCase>
{
protected:
    void SetUp() override { ASSERT_TRUE(host.activate()); }

    ControlTestHost host;
};

TEST_P(TypedText, EditsAsThePlainLineEdit)
{
    const TypingCase &c = GetParam();
    const auto box = host.make<TextBox>(QStringLiteral("txtTyped"));
    QLineEdit plain(host.window());
    plain.setFont(box->lineEdit()->font());
    plain.show();

    const Outcome expected = typeInto(plain, c);
    const Outcome actual = typeInto(*box->lineEdit(), c);

    EXPECT_EQ(actual.edited, expected.edited);
    EXPECT_EQ(actual.accepted, expected.accepted);
    EXPECT_EQ(actual.text, expected.text);
    EXPECT_EQ(actual.displayText, expected.displayText);
    EXPECT_EQ(actual.cursor, expected.cursor);
    EXPECT_EQ(actual.selectionStart, expected.selectionStart);
    EXPECT_EQ(actual.selected, expected.selected);
    EXPECT_EQ(actual.direction, expected.direction);
    EXPECT_EQ(actual.undone, expected.undone);
    EXPECT_EQ(actual.redone, expected.redone);
}

void PrintTo(const TypingCase &c, std::ostream *out)
{
    *out << c.label;
}

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(Table, TypedText,
    ::testing::Values(
        TypingCase {"LettersIntoEmpty", u"", -1, 0, nullptr,
            {{Qt::Key_A, None, u"a"}, {Qt::Key_B, None, u"b"}, {Qt::Key_C, None, u"c"}}},
        TypingCase {"CapitalsWithShift", u"x", -1, 0, nullptr,
            {{Qt::Key_A, Qt::ShiftModifier, u"A"}, {Qt::Key_B, None, u"b"}}},
        TypingCase {"OverASelection", u"hello", 1, 3, nullptr, {{Qt::Key_X, None, u"x"}}},
        TypingCase {"InTheMiddle", u"hello", 2, 0, nullptr,
            {{Qt::Key_X, None, u"x"}, {Qt::Key_Y, None, u"y"}}},
        TypingCase {"KeypadDigitAndSpace", u"", -1, 0, nullptr,
            {{Qt::Key_5, Qt::KeypadModifier, u"5"}, {Qt::Key_Space, None, u" "},
                {Qt::Key_Comma, None, u","}}},
        TypingCase {
            "SeveralCharactersInOneKey", u"a", -1, 0, nullptr, {{Qt::Key_unknown, None, u"bc"}}},
        TypingCase {"CombiningMark", u"", -1, 0, nullptr,
            {{Qt::Key_E, None, u"e"}, {Qt::Key_unknown, None, u"\u0301"}}},
        TypingCase {"BeyondTheMaximumLength", u"", -1, 0,
            [](QLineEdit &edit) { edit.setMaxLength(3); },
            {{Qt::Key_A, None, u"a"}, {Qt::Key_B, None, u"b"}, {Qt::Key_C, None, u"c"},
                {Qt::Key_D, None, u"d"}}},
        TypingCase {"InputMask", u"", -1, 0,
            [](QLineEdit &edit) { edit.setInputMask(QStringLiteral("999;_")); },
            {{Qt::Key_1, None, u"1"}, {Qt::Key_A, None, u"a"}, {Qt::Key_2, None, u"2"}}},
        TypingCase {"Validator", u"", -1, 0,
            [](QLineEdit &edit) { edit.setValidator(new QIntValidator(0, 99, &edit)); },
            {{Qt::Key_1, None, u"1"}, {Qt::Key_A, None, u"a"}, {Qt::Key_2, None, u"2"},
                {Qt::Key_3, None, u"3"}}},
        TypingCase {"PasswordEcho", u"", -1, 0,
            [](QLineEdit &edit) { edit.setEchoMode(QLineEdit::Password); },
            {{Qt::Key_A, None, u"a"}, {Qt::Key_B, None, u"b"}}},
        TypingCase {"ReadOnlyPassesTheKeyOn", u"fixed", -1, 0,
            [](QLineEdit &edit) { edit.setReadOnly(true); }, {{Qt::Key_A, None, u"a"}}},
        TypingCase {"RightToLeftIntoEmpty", u"", -1, 0, nullptr,
            {{Qt::Key_unknown, None, u"\u05e9"}, {Qt::Key_unknown, None, u"\u05dc"}}},
        TypingCase {
            "LatinAfterRightToLeft", u"\u05e9\u05dc", -1, 0, nullptr, {{Qt::Key_A, None, u"a"}}},
        TypingCase {"LatinOverTheOnlyRightToLeftCharacter", u"a\u05e9", 1, 1, nullptr,
            {{Qt::Key_B, None, u"b"}}},
        TypingCase {"RightToLeftWidget", u"", -1, 0,
            [](QLineEdit &edit) { edit.setLayoutDirection(Qt::RightToLeft); },
            {{Qt::Key_A, None, u"a"}, {Qt::Key_B, None, u"b"}}},
        TypingCase {"AltGrCharacter", u"", -1, 0, nullptr,
            {{Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, u"@"}}}),
    [](const ::testing::TestParamInfo<TypingCase> &info) { return info.param.label; });

} // namespace
