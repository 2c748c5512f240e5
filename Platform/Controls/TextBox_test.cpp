#include "../TestSupport/ControlTestHost.h"
#include "TextBox.h"

#include "../Value/RuntimeError.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <gtest/gtest.h>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

class TextBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.activate());
        box = host.make<TextBox>(QStringLiteral("txtLeft"));
        box->onChange = [this] {
            ++changes;
            textsSeen.append(box->Text());
        };
    }

    QLineEdit *edit() const { return box->lineEdit(); }

    ControlTestHost host;
    std::shared_ptr<TextBox> box;
    int changes = 0;
    QStringList textsSeen;
};

// --- Change reports ---

struct SetTextCase
{
    const char16_t *before;
    const char16_t *after;
    int expectedChanges;
};

class TextBoxSetText : public TextBoxTest, public ::testing::WithParamInterface<SetTextCase>
{
};

TEST_P(TextBoxSetText, ReportsOneChangeForADifferentTextAndNoneForTheSame)
{
    const SetTextCase c = GetParam();
    box->setText(QString::fromUtf16(c.before));
    changes = 0;
    box->setText(QString::fromUtf16(c.after));
    EXPECT_EQ(changes, c.expectedChanges);
    EXPECT_EQ(box->Text(), QString::fromUtf16(c.after));
}

INSTANTIATE_TEST_SUITE_P(Table, TextBoxSetText,
    ::testing::Values(SetTextCase {u"", u"abc", 1}, SetTextCase {u"abc", u"abc", 0},
        SetTextCase {u"abc", u"abd", 1}, SetTextCase {u"abc", u"", 1}, SetTextCase {u"", u"", 0},
        SetTextCase {u"abc", u"ABC", 1}, SetTextCase {u"\xD800", u"\xD800", 0},
        SetTextCase {u"\xD800", u"\xDC00", 1}));

class TextBoxSetTextReportingSameText : public TextBoxTest,
                                        public ::testing::WithParamInterface<SetTextCase>
{
};

TEST_P(TextBoxSetTextReportingSameText, ReportsEveryWriteOnceAndKeepsTheCaretOnTheSame)
{
    const SetTextCase c = GetParam();
    box->setReportsSameTextWrites(true);
    box->setText(QString::fromUtf16(c.before));
    edit()->setCursorPosition(1);
    changes = 0;
    textsSeen.clear();
    box->setText(QString::fromUtf16(c.after));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(textsSeen, QStringList {QString::fromUtf16(c.after)});
    if (c.expectedChanges == 0) {
        EXPECT_EQ(edit()->cursorPosition(), std::min<int>(1, edit()->text().size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, TextBoxSetTextReportingSameText,
    ::testing::Values(SetTextCase {u"abc", u"abc", 0}, SetTextCase {u"", u"", 0},
        SetTextCase {u"\xD800", u"\xD800", 0}, SetTextCase {u"abc", u"abd", 1},
        SetTextCase {u"", u"abc", 1}));

TEST_F(TextBoxTest, ReportingSameTextWritesIsOffByDefaultAndTouchesNeitherTypingNorOthers)
{
    EXPECT_FALSE(box->reportsSameTextWrites());
    const auto other = host.make<TextBox>(QStringLiteral("txtOther"));
    int otherChanges = 0;
    other->onChange = [&] { ++otherChanges; };
    box->setReportsSameTextWrites(true);
    other->setText(QStringLiteral("x"));
    other->setText(QStringLiteral("x"));
    EXPECT_EQ(otherChanges, 1);
    // The user's edits report as before: one per change.
    box->SetFocus();
    QTest::keyClicks(edit(), QStringLiteral("ab"));
    EXPECT_EQ(changes, 2);
}

TEST_F(TextBoxTest, AnErrorOfTheReportOfASameTextWriteGoesToTheWriter)
{
    box->setReportsSameTextWrites(true);
    box->setText(QStringLiteral("same"));
    box->onChange = [] { throw RuntimeError(ErrorNumber::Overflow); };
    try {
        box->setText(QStringLiteral("same"));
        FAIL() << "the handler's error did not reach the setter's caller";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 6);
    }
}

TEST_F(TextBoxTest, ChangeRunsInsideTheSetterWithTheNewText)
{
    box->setText(QStringLiteral("first"));
    EXPECT_EQ(textsSeen, QStringList {QStringLiteral("first")});
}

TEST_F(TextBoxTest, TypingReportsAChangePerCharacter)
{
    QTest::keyClicks(edit(), QStringLiteral("abc"));
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(textsSeen,
        (QStringList {QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("abc")}));
}

TEST_F(TextBoxTest, ChangeHandlerMaySetTheTextAgainNested)
{
    // Completion-style handler: the nested set reports once more, then stops.
    box->onChange = [this] {
        ++changes;
        if (box->Text() == QStringLiteral("ap"))
            box->setText(QStringLiteral("apple"));
    };
    QTest::keyClicks(edit(), QStringLiteral("ap"));
    EXPECT_EQ(box->Text(), QStringLiteral("apple"));
    EXPECT_EQ(changes, 3);
}

TEST_F(TextBoxTest, LateBoundTextGoesThroughTheSameSetter)
{
    box->let(QStringLiteral("Text"), Variant(QStringLiteral("late")));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box->get(QStringLiteral("text")), Variant(QStringLiteral("late")));
    box->let(QStringLiteral("Text"), Variant(QStringLiteral("late")));
    EXPECT_EQ(changes, 1);
}

// --- Exact text ---

struct RoundTripCase
{
    const char *label;
    QString text;
};

class TextBoxRoundTrip : public TextBoxTest, public ::testing::WithParamInterface<RoundTripCase>
{
};

TEST_P(TextBoxRoundTrip, ReadsBackExactlyWhatWasSet)
{
    const QString text = GetParam().text;
    box->setText(text);
    const QString back = box->Text();
    EXPECT_EQ(back.size(), text.size());
    EXPECT_TRUE(back == text) << GetParam().label;
    EXPECT_EQ(changes, text.isEmpty() ? 0 : 1);
}

QString megabyteOfText()
{
    QString text;
    text.reserve(1 << 20);
    for (int i = 0; i < (1 << 20); ++i)
        text.append(QChar(char16_t(u'a' + i % 26)));
    return text;
}

INSTANTIATE_TEST_SUITE_P(Table, TextBoxRoundTrip,
    ::testing::Values(RoundTripCase {"one megabyte", megabyteOfText()},
        RoundTripCase {"beyond the toolkit's default limit", QString(32768, QChar(u'x'))},
        RoundTripCase {"control characters", QString::fromUtf16(u"\x01\x02\t\r\n\x1b\x7f end")},
        RoundTripCase {"embedded nul", QString::fromUtf16(u"a\0b", 3)},
        RoundTripCase {"unpaired high surrogate", QString::fromUtf16(u"a\xD800z")},
        RoundTripCase {"unpaired low surrogate", QString::fromUtf16(u"\xDC00")},
        RoundTripCase {"reversed pair", QString::fromUtf16(u"\xDC00\xD800")},
        RoundTripCase {"paired surrogates", QString::fromUtf16(u"\xD83D\xDE00 smile")},
        RoundTripCase {"bidirectional", QString::fromUtf16(u"abc \x05D0\x05D1 \x202E!")}),
    [](const auto &info) {
        QString name = QString::fromLatin1(info.param.label);
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QString());
        return name.toStdString();
    });

TEST_F(TextBoxTest, TypedSurrogatesArriveAsTyped)
{
    std::vector<int16_t> codes;
    box->onKeyPress = [&codes](int16_t &keyAscii) { codes.push_back(keyAscii); };
    const QString typed = QString::fromUtf16(u"\xD800-\xD83D\xDE00");
    ControlTestHost::typeText(edit(), typed);
    EXPECT_TRUE(box->Text() == typed);
    EXPECT_EQ(textsSeen.size(), 3) << textsSeen.join(u'|').toStdString();
    EXPECT_EQ(
        codes, (std::vector<int16_t> {int16_t(0xD800), '-', int16_t(0xD83D), int16_t(0xDE00)}));
}

// --- Key presses ---

struct KeyCase
{
    const char *label;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int expectedCode; // -1: no key press report
};

class TextBoxKeyPress : public TextBoxTest, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(TextBoxKeyPress, DeliversTheCharacterCode)
{
    const KeyCase c = GetParam();
    std::vector<int> codes;
    box->onKeyPress = [&codes](int16_t &keyAscii) { codes.push_back(keyAscii); };
    QTest::keyClick(edit(), c.key, c.modifiers);
    if (c.expectedCode < 0)
        EXPECT_TRUE(codes.empty()) << c.label;
    else
        EXPECT_EQ(codes, std::vector<int> {c.expectedCode}) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Table, TextBoxKeyPress,
    ::testing::Values(KeyCase {"Backspace", Qt::Key_Backspace, Qt::NoModifier, 8},
        KeyCase {"Return", Qt::Key_Return, Qt::NoModifier, 13},
        KeyCase {"Enter", Qt::Key_Enter, Qt::KeypadModifier, 13},
        KeyCase {"Escape", Qt::Key_Escape, Qt::NoModifier, 27},
        KeyCase {"CtrlA", Qt::Key_A, Qt::ControlModifier, 1},
        KeyCase {"CtrlZ", Qt::Key_Z, Qt::ControlModifier, 26},
        KeyCase {"a", Qt::Key_A, Qt::NoModifier, 'a'},
        KeyCase {"Digit", Qt::Key_7, Qt::NoModifier, '7'},
        KeyCase {"Space", Qt::Key_Space, Qt::NoModifier, ' '},
        KeyCase {"Left", Qt::Key_Left, Qt::NoModifier, -1},
        KeyCase {"Delete", Qt::Key_Delete, Qt::NoModifier, -1},
        KeyCase {"F1", Qt::Key_F1, Qt::NoModifier, -1},
        KeyCase {"AltX", Qt::Key_X, Qt::AltModifier, -1}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(TextBoxTest, KeyPressSeesCapitalsAsTyped)
{
    std::vector<int16_t> codes;
    box->onKeyPress = [&codes](int16_t &keyAscii) { codes.push_back(keyAscii); };
    QTest::keyClicks(edit(), QStringLiteral("Ab"));
    EXPECT_EQ(codes, (std::vector<int16_t> {'A', 'b'}));
}

TEST_F(TextBoxTest, KeyPressSeesCharactersBeyondAscii)
{
    std::vector<int16_t> codes;
    box->onKeyPress = [&codes](int16_t &keyAscii) { codes.push_back(keyAscii); };
    ControlTestHost::typeText(edit(), QString::fromUtf16(u"\x00E9\x20AC"));
    EXPECT_EQ(codes, (std::vector<int16_t> {0xE9, 0x20AC}));
    EXPECT_EQ(box->Text(), QString::fromUtf16(u"\x00E9\x20AC"));
}

TEST_F(TextBoxTest, KeyPressRunsBeforeTheTextChanges)
{
    QString seen = QStringLiteral("not called");
    box->onKeyPress = [&](int16_t &) { seen = box->Text(); };
    QTest::keyClicks(edit(), QStringLiteral("a"));
    EXPECT_EQ(seen, QString());
    EXPECT_EQ(box->Text(), QStringLiteral("a"));
}

TEST_F(TextBoxTest, CodeZeroSwallowsTheKey)
{
    box->setText(QStringLiteral("ab"));
    changes = 0;
    box->onKeyPress = [](int16_t &keyAscii) {
        if (keyAscii == 'x' || keyAscii == 8)
            keyAscii = 0;
    };
    QTest::keyClicks(edit(), QStringLiteral("xcx"));
    QTest::keyClick(edit(), Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), QStringLiteral("abc"));
    EXPECT_EQ(changes, 1);
}

struct ReplaceCase
{
    const char *label;
    const char16_t *before;
    Qt::Key key;
    int16_t replacement;
    const char16_t *after;
};

class TextBoxReplaceKey : public TextBoxTest, public ::testing::WithParamInterface<ReplaceCase>
{
};

TEST_P(TextBoxReplaceKey, ChangedCodeArrivesInstead)
{
    const ReplaceCase c = GetParam();
    box->setText(QString::fromUtf16(c.before));
    box->onKeyPress = [&c](int16_t &keyAscii) { keyAscii = c.replacement; };
    QTest::keyClick(edit(), c.key);
    EXPECT_EQ(box->Text(), QString::fromUtf16(c.after)) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Table, TextBoxReplaceKey,
    ::testing::Values(ReplaceCase {"LetterToLetter", u"ab", Qt::Key_C, 'Z', u"abZ"},
        ReplaceCase {"LetterToBackspace", u"ab", Qt::Key_C, 8, u"a"},
        ReplaceCase {"BackspaceToLetter", u"ab", Qt::Key_Backspace, 'q', u"abq"},
        ReplaceCase {"LetterToEuro", u"", Qt::Key_E, 0x20AC, u"\x20AC"},
        ReplaceCase {"LetterToLoneSurrogate", u"", Qt::Key_E, int16_t(0xD800), u"\xD800"}),
    [](const auto &info) { return std::string(info.param.label); });

// --- Key down ---

TEST_F(TextBoxTest, KeyDownReportsTheKeyCodeAndShiftBeforeTheCharacters)
{
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *expected;
    };
    const Case cases[] = {
        {Qt::Key_Down, Qt::NoModifier, "down 40/0"},
        {Qt::Key_Up, Qt::ShiftModifier, "down 38/1"},
        {Qt::Key_PageDown, Qt::ControlModifier, "down 34/2"},
        {Qt::Key_PageUp, Qt::AltModifier, "down 33/4"},
        {Qt::Key_Escape, Qt::NoModifier, "down 27/0 press 27"},
        {Qt::Key_Return, Qt::NoModifier, "down 13/0 press 13"},
        {Qt::Key_A, Qt::NoModifier, "down 65/0 press 97"},
        {Qt::Key_5, Qt::NoModifier, "down 53/0 press 53"},
        {Qt::Key_F2, Qt::NoModifier, "down 113/0"},
        {Qt::Key_Delete, Qt::NoModifier, "down 46/0"},
    };
    QStringList seen;
    box->onKeyDown = [&](int16_t &keyCode, int16_t shift) {
        seen << QStringLiteral("down %1/%2").arg(keyCode).arg(shift);
    };
    box->onKeyPress = [&](int16_t &keyAscii) { seen << QStringLiteral("press %1").arg(keyAscii); };
    for (const Case &c : cases) {
        seen.clear();
        QTest::keyClick(edit(), c.key, c.modifiers);
        EXPECT_EQ(seen.join(u' '), QString::fromLatin1(c.expected)) << c.expected;
    }
}

TEST_F(TextBoxTest, KeyDownCodeZeroSwallowsTheWholeKey)
{
    box->setText(QStringLiteral("ab"));
    edit()->setCursorPosition(2);
    int presses = 0;
    box->onKeyDown = [](int16_t &keyCode, int16_t) {
        if (keyCode == 'X' || keyCode == 37)
            keyCode = 0;
    };
    box->onKeyPress = [&](int16_t &) { ++presses; };
    changes = 0;
    QTest::keyClicks(edit(), QStringLiteral("xcx"));
    QTest::keyClick(edit(), Qt::Key_Left);
    EXPECT_EQ(box->Text(), QStringLiteral("abc"));
    EXPECT_EQ(edit()->cursorPosition(), 3);
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(changes, 1);
}

// --- Focus ---

TEST_F(TextBoxTest, ReportsRealFocusChanges)
{
    auto other = host.make<TextBox>(QStringLiteral("txtRight"));
    QStringList log;
    box->onGotFocus = [&] { log << QStringLiteral("box got"); };
    box->onLostFocus = [&] { log << QStringLiteral("box lost"); };
    other->onGotFocus = [&] { log << QStringLiteral("other got"); };
    other->onLostFocus = [&] { log << QStringLiteral("other lost"); };

    box->SetFocus();
    EXPECT_EQ(log, QStringList {QStringLiteral("box got")});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other->widget());
    EXPECT_EQ(log,
        (QStringList {
            QStringLiteral("box got"), QStringLiteral("box lost"), QStringLiteral("other got")}));
}

TEST_F(TextBoxTest, MouseClickGivesFocus)
{
    auto other = host.make<TextBox>(QStringLiteral("txtRight"));
    other->setTop(600);
    int got = 0;
    other->onGotFocus = [&] { ++got; };
    box->SetFocus();
    QTest::mouseClick(other->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(got, 1);
    EXPECT_TRUE(other->lineEdit()->hasFocus());
}

TEST_F(TextBoxTest, SetFocusOnAnInactiveWindowDoesNotFail)
{
    QWidget hidden;
    auto lonely = std::make_shared<TextBox>(&hidden, QStringLiteral("txtBuscar"));
    int got = 0;
    lonely->onGotFocus = [&] { ++got; };
    EXPECT_NO_THROW(lonely->SetFocus());
    EXPECT_NO_THROW(lonely->call(QStringLiteral("SetFocus")));
    EXPECT_EQ(got, 0);
}

// --- Selection ---

struct SelectionCase
{
    int32_t start;
    int32_t length;
    int32_t expectedStart;
    int32_t expectedLength;
    const char16_t *expectedText;
};

class TextBoxSelection : public TextBoxTest, public ::testing::WithParamInterface<SelectionCase>
{
};

TEST_P(TextBoxSelection, SelectsWithinTheText)
{
    const SelectionCase c = GetParam();
    box->setText(QStringLiteral("Apricot"));
    box->setSelStart(c.start);
    box->setSelLength(c.length);
    EXPECT_EQ(box->SelStart(), c.expectedStart);
    EXPECT_EQ(box->SelLength(), c.expectedLength);
    EXPECT_EQ(box->SelText(), QString::fromUtf16(c.expectedText));
}

INSTANTIATE_TEST_SUITE_P(Table, TextBoxSelection,
    ::testing::Values(SelectionCase {0, 0, 0, 0, u""}, SelectionCase {3, 4, 3, 4, u"icot"},
        SelectionCase {3, 100, 3, 4, u"icot"}, SelectionCase {0, 7, 0, 7, u"Apricot"},
        SelectionCase {100, 2, 7, 0, u""}, SelectionCase {2, 1, 2, 1, u"r"}));

TEST_F(TextBoxTest, SettingSelStartClearsTheSelection)
{
    box->setText(QStringLiteral("Apricot"));
    box->setSelStart(1);
    box->setSelLength(3);
    box->setSelStart(2);
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(box->SelLength(), 0);
}

TEST_F(TextBoxTest, SelTextReplacesTheSelectionAndReportsAChange)
{
    box->setText(QStringLiteral("Apricot"));
    box->setSelStart(2);
    box->setSelLength(3);
    changes = 0;
    box->setSelText(QStringLiteral("-"));
    EXPECT_EQ(box->Text(), QStringLiteral("Ap-ot"));
    EXPECT_EQ(changes, 1);
}

TEST_F(TextBoxTest, NegativeSelectionValuesAreInvalid)
{
    try {
        box->setSelStart(-1);
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 380);
    }
    try {
        box->let(QStringLiteral("SelLength"), Variant(int32_t(-1)));
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 380);
    }
}

// --- Alignment, Locked, MaxLength ---

TEST_F(TextBoxTest, AlignmentMapsToTheWidget)
{
    const std::vector<std::pair<int16_t, Qt::Alignment>> table {
        {1, Qt::AlignRight}, {2, Qt::AlignHCenter}, {0, Qt::AlignLeft}};
    for (const auto &[value, expected] : table) {
        box->setAlignment(value);
        EXPECT_EQ(box->Alignment(), value);
        EXPECT_EQ(edit()->alignment() & Qt::AlignHorizontal_Mask, expected) << value;
    }
    try {
        box->setAlignment(3);
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 380);
    }
    EXPECT_EQ(box->Alignment(), 0);
}

TEST_F(TextBoxTest, LockedRefusesTypingButNotCode)
{
    box->setLocked(true);
    QTest::keyClicks(edit(), QStringLiteral("abc"));
    EXPECT_EQ(box->Text(), QString());
    box->setText(QStringLiteral("code"));
    EXPECT_EQ(box->Text(), QStringLiteral("code"));
    EXPECT_EQ(box->get(QStringLiteral("Locked")), Variant(true));
}

TEST_F(TextBoxTest, MaxLengthLimitsTyping)
{
    box->setMaxLength(3);
    QTest::keyClicks(edit(), QStringLiteral("abcd"));
    EXPECT_EQ(box->Text(), QStringLiteral("abc"));
    box->setMaxLength(0);
    QTest::keyClicks(edit(), QStringLiteral("d"));
    EXPECT_EQ(box->Text(), QStringLiteral("abcd"));
}

} // namespace
