// QuillInputBox editing through the host: which box shows what, the currency display, Change
// reports, focus, Enter, and texts of any content.
#include "QuillInputBoxTestSupport.h"

#include <Quillkit/Controls/NotificationScope.h>

#include <Quillkit/Hosting/ControlContainer.h>
#include <Quillkit/TestSupport/ControlTestHost.h>
#include <Quillkit/Value/RuntimeError.h>
#include <Quillkit/Value/TextServices.h>

#include <QClipboard>
#include <QRegularExpression>
#include <QSignalSpy>

using namespace platform;
using namespace quillkit::test;

namespace {

using InputBoxEditing = InputBoxTest;

const QColor Red(255, 0, 0);

// A test name from a row's label.
std::string testName(const QString &label)
{
    QString name = label;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QString());
    return name.toStdString();
}

// --- Which box is shown and what it shows ---

struct BoxChoiceCase
{
    int32_t style;
    int32_t alignment;
    const char *shownBox;
    const char16_t *display; // what the shown box holds after the load's refresh

    friend void PrintTo(const BoxChoiceCase &c, std::ostream *os)
    {
        *os << "style " << c.style << ", alignment " << c.alignment;
    }
};

class InputBoxChoice : public InputBoxTest, public testing::WithParamInterface<BoxChoiceCase>
{
};

TEST_P(InputBoxChoice, ShowsOneBoxChosenByStyleAndAlignment)
{
    const BoxChoiceCase c = GetParam();
    ControlSite &site = load(c.style, QStringLiteral("-42"), c.alignment);
    EXPECT_EQ(shownBox(site), c.shownBox);
    EXPECT_EQ(shown(site)->text(), QString::fromUtf16(c.display));
    // The hidden box is never written.
    QLineEdit *hidden = shown(site) == left(site) ? right(site) : left(site);
    EXPECT_EQ(hidden->text(), "");
    // txtRight stays right-aligned whatever the alignment asks for.
    EXPECT_EQ(right(site)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // Only the currency style colours the amount.
    EXPECT_EQ(textColor(shown(site)), c.style == 1 ? Red : color(form.ForeColor()));
}

INSTANTIATE_TEST_SUITE_P(Table, InputBoxChoice,
    testing::Values(BoxChoiceCase {0, 0, "txtLeft", u"-42"},
        BoxChoiceCase {0, 1, "txtRight", u"-42"}, BoxChoiceCase {0, 2, "txtRight", u"-42"},
        BoxChoiceCase {0, -7, "txtRight", u"-42"}, BoxChoiceCase {1, 0, "txtRight", u"($42.00)"},
        BoxChoiceCase {1, 1, "txtRight", u"($42.00)"},
        BoxChoiceCase {1, 2, "txtRight", u"($42.00)"}, BoxChoiceCase {2, 0, "txtLeft", u""},
        BoxChoiceCase {2, 1, "txtRight", u""}, BoxChoiceCase {-1, 0, "txtLeft", u""},
        BoxChoiceCase {-1, 2, "txtRight", u""}),
    [](const auto &info) {
        return QStringLiteral("Style%1Alignment%2")
            .arg(info.param.style)
            .arg(info.param.alignment)
            .replace(u'-', u'M')
            .toStdString();
    });

TEST_F(InputBoxEditing, EverySetterOfStyleTextOrAlignmentHidesBothThenShowsTheChosenBox)
{
    const PropertyBag empty;
    ControlSite &site = place(&empty);
    struct Step
    {
        DispId id;
        Variant value;
        const char *shownBox;
        const char16_t *display;
    };
    const Step steps[] = {
        {InputBoxId::Text, Variant("7"), "txtLeft", u"7"},
        {InputBoxId::Alignment, Variant(1), "txtRight", u"7"},
        {InputBoxId::Style, Variant(1), "txtRight", u"$7.00"},
        {InputBoxId::Alignment, Variant(0), "txtRight", u"$7.00"},
        {InputBoxId::Style, Variant(0), "txtLeft", u"7"},
        {InputBoxId::Text, Variant("8"), "txtLeft", u"8"},
    };
    for (const Step &step : steps) {
        let(site, step.id, step.value);
        EXPECT_EQ(shownBox(site), step.shownBox) << describe(step.value).toStdString();
        EXPECT_EQ(shown(site)->text(), QString::fromUtf16(step.display));
    }
    EXPECT_EQ(site.changedProperties(),
        QStringList({"Font", "Color", "Color", "Text", "Alignment", "Style", "Alignment", "Style",
            "Text"}));
    EXPECT_EQ(changes, 0);
}

// --- The currency style ---

struct CurrencyCase
{
    const char *locale;
    const char16_t *text;
    const char16_t *display;
    bool red;
    const char16_t *textReadsBack;

    friend void PrintTo(const CurrencyCase &c, std::ostream *os)
    {
        *os << c.locale << " " << QString::fromUtf16(c.text).toStdString();
    }
};

class InputBoxCurrency : public InputBoxTest, public testing::WithParamInterface<CurrencyCase>
{
};

TEST_P(InputBoxCurrency, ShowsTheFormattedAmountAndReadsBackTheNormalisedOne)
{
    const CurrencyCase c = GetParam();
    platform::test::ScopedLocale pinned {QLocale(QString::fromLatin1(c.locale))};
    const QString entered = QString::fromUtf16(c.text);
    const PropertyBag empty;
    ControlSite &site = place(&empty);
    let(site, InputBoxId::ForeColor, Variant(0x00008000));
    let(site, InputBoxId::Style, Variant(1));
    let(site, InputBoxId::Text, Variant(entered));

    EXPECT_EQ(shownBox(site), "txtRight");
    EXPECT_EQ(right(site)->text(), QString::fromUtf16(c.display));
    EXPECT_EQ(textColor(right(site)), c.red ? Red : color(0x00008000));
    EXPECT_EQ(text(site), QString::fromUtf16(c.textReadsBack));
    // The value as entered is kept and saved, whatever Text reads.
    EXPECT_EQ(site.save().ReadProperty("Text"), Variant(entered));
    // Reading changed nothing.
    EXPECT_EQ(right(site)->text(), QString::fromUtf16(c.display));
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, InputBoxCurrency,
    testing::Values(CurrencyCase {"en_US", u"3000", u"$3,000.00", false, u"3000"},
        CurrencyCase {"en_US", u"-5", u"($5.00)", true, u"-5"},
        CurrencyCase {"en_US", u"abc", u"abc", false, u""},
        CurrencyCase {"en_US", u"", u"", false, u""},
        CurrencyCase {"en_US", u"0", u"$0.00", false, u"0"},
        CurrencyCase {"en_US", u"-0.001", u"$0.00", true, u"-0.001"},
        CurrencyCase {"en_US", u"1,234.5", u"$1,234.50", false, u"1234.5"},
        // Every form of a negative amount is red and reads back.
        CurrencyCase {"en_US", u"5-", u"($5.00)", true, u"-5"},
        CurrencyCase {"en_US", u"(5)", u"($5.00)", true, u"-5"},
        CurrencyCase {"en_US", u"$-5", u"($5.00)", true, u"-5"},
        CurrencyCase {"en_US", u"-$5", u"($5.00)", true, u"-5"},
        CurrencyCase {"en_US", u"1e3", u"$1,000.00", false, u"1000"},
        CurrencyCase {"en_US", u"-2.5e-3", u"$0.00", true, u"-0.0025"},
        CurrencyCase {"en_US", u"-0.00001", u"$0.00", false, u"0"},
        CurrencyCase {"en_US", u"\uFF0D\uFF15\uFF10\uFF10", u"($500.00)", true, u"-500"},
        CurrencyCase {"ja_JP", u"\uFF0D\uFF15\uFF10\uFF10", u"(\uFFE5500.00)", true, u"-500"},
        // Exact to the last cent at both ends of the currency range.
        CurrencyCase {"en_US", u"922337203685477.5807", u"$922,337,203,685,477.58", false,
            u"922337203685477.5807"},
        CurrencyCase {"en_US", u"-922337203685477.5808", u"($922,337,203,685,477.58)", true,
            u"-922337203685477.5808"},
        // Beyond it a text is no amount: shown as entered, in ForeColor, read as empty.
        CurrencyCase {"en_US", u"99999999999999999999", u"99999999999999999999", false, u""},
        CurrencyCase {"en_US", u"-1e20", u"-1e20", false, u""},
        CurrencyCase {"de_DE", u"-5", u"-5,00\u00A0\u20AC", true, u"-5"},
        CurrencyCase {"de_DE", u"-5 \u20AC", u"-5,00\u00A0\u20AC", true, u"-5"},
        CurrencyCase {"de_DE", u"1234,5", u"1.234,50\u00A0\u20AC", false, u"1234,5"}),
    [](const auto &info) {
        return testName(QString::fromLatin1(info.param.locale) + QStringLiteral("Row")
            + QString::number(info.index));
    });

TEST_F(InputBoxEditing, ANewForeColorRecoloursANegativeAmountUntilTheNextRefresh)
{
    ControlSite &site = load(1, QStringLiteral("-5"));
    EXPECT_EQ(textColor(right(site)), Red);
    let(site, InputBoxId::ForeColor, Variant(0x00FF0000));
    EXPECT_EQ(textColor(right(site)), color(0x00FF0000));
    let(site, InputBoxId::Alignment, Variant(0)); // any refresh
    EXPECT_EQ(textColor(right(site)), Red);
}

TEST_F(InputBoxEditing, TheStandardStyleShowsItsTextInForeColorWhateverTheCurrencyStyleLeft)
{
    ControlSite &site = load(1, QStringLiteral("-5"), 1);
    let(site, InputBoxId::ForeColor, Variant(0x00008000));
    let(site, InputBoxId::Alignment, Variant(1)); // any refresh
    ASSERT_EQ(textColor(right(site)), Red);
    struct Step
    {
        DispId id;
        int32_t value;
        const char *shownBox;
        bool red;
    };
    const Step steps[] = {
        {InputBoxId::Style, 0, "txtRight", false},
        {InputBoxId::Style, 1, "txtRight", true},
        {InputBoxId::Alignment, 0, "txtRight", true},
        {InputBoxId::Style, 0, "txtLeft", false},
        {InputBoxId::Alignment, 1, "txtRight", false},
    };
    for (const Step &step : steps) {
        let(site, step.id, Variant(step.value));
        ASSERT_EQ(shownBox(site), step.shownBox);
        EXPECT_EQ(shown(site)->text(), step.red ? "($5.00)" : "-5");
        EXPECT_EQ(textColor(shown(site)), step.red ? Red : color(0x00008000))
            << "style " << get(site, InputBoxId::Style).longValue() << ", alignment "
            << get(site, InputBoxId::Alignment).longValue();
    }
}

struct TypedAmountCase
{
    const char *locale;
    const char16_t *typed;
    const char16_t *display;
    bool red;
    const char16_t *textReadsBack;

    friend void PrintTo(const TypedAmountCase &c, std::ostream *os)
    {
        *os << c.locale << " " << QString::fromUtf16(c.typed).toStdString();
    }
};

class InputBoxTypedAmount : public InputBoxTest, public testing::WithParamInterface<TypedAmountCase>
{
};

// One reading of the amount decides the display, its colour and what Text reads.
TEST_P(InputBoxTypedAmount, WhatShowsAsAnAmountIsRedWhenNegativeAndReadsBack)
{
    const TypedAmountCase c = GetParam();
    platform::test::ScopedLocale pinned {QLocale(QString::fromLatin1(c.locale))};
    const QString typed = QString::fromUtf16(c.typed);
    ControlSite &site = load(1, QString());
    let(site, InputBoxId::ForeColor, Variant(0x00008000));
    QLineEdit *other = addOtherBox();
    ASSERT_TRUE(showForm());
    clickInto(right(site));
    typeKeys(typed + u'\t');

    ASSERT_TRUE(other->hasFocus());
    EXPECT_EQ(right(site)->text(), QString::fromUtf16(c.display));
    EXPECT_EQ(textColor(right(site)), c.red ? Red : color(0x00008000));
    EXPECT_EQ(text(site), QString::fromUtf16(c.textReadsBack));
    EXPECT_EQ(toText(site.save().ReadProperty("Text")), typed);
    // One Change per key; entering and leaving raise none.
    EXPECT_EQ(changes, typed.toUcs4().size());
}

INSTANTIATE_TEST_SUITE_P(Table, InputBoxTypedAmount,
    testing::Values(TypedAmountCase {"en_US", u"5-", u"($5.00)", true, u"-5"},
        TypedAmountCase {"en_US", u"(5)", u"($5.00)", true, u"-5"},
        TypedAmountCase {"en_US", u"$-5", u"($5.00)", true, u"-5"},
        TypedAmountCase {"en_US", u"-$5", u"($5.00)", true, u"-5"},
        TypedAmountCase {"de_DE", u"-5 \u20AC", u"-5,00\u00A0\u20AC", true, u"-5"},
        TypedAmountCase {"de_DE", u"5-", u"-5,00\u00A0\u20AC", true, u"-5"},
        TypedAmountCase {"en_US", u"1e3", u"$1,000.00", false, u"1000"},
        TypedAmountCase {"en_US", u"-1e3", u"($1,000.00)", true, u"-1000"},
        TypedAmountCase {"en_US", u"\uFF0D\uFF15\uFF10\uFF10", u"($500.00)", true, u"-500"},
        TypedAmountCase {"ja_JP", u"\uFF0D\uFF15\uFF10\uFF10", u"(\uFFE5500.00)", true, u"-500"},
        TypedAmountCase {
            "ja_JP", u"\uFFE5\uFF11\uFF0C\uFF12\uFF10\uFF10", u"\uFFE51,200.00", false, u"1200"},
        TypedAmountCase {"en_US", u"\U0001D7D3", u"$5.00", false, u"5"},
        TypedAmountCase {"en_US", u"922337203685477.5807", u"$922,337,203,685,477.58", false,
            u"922337203685477.5807"},
        TypedAmountCase {"en_US", u"-922337203685477.5808", u"($922,337,203,685,477.58)", true,
            u"-922337203685477.5808"},
        TypedAmountCase {"en_US", u"-99999999999999999999", u"-99999999999999999999", false, u""},
        TypedAmountCase {"en_US", u"abc", u"abc", false, u""}),
    [](const auto &info) {
        return testName(QString::fromLatin1(info.param.locale) + QStringLiteral("Row")
            + QString::number(info.index));
    });

// --- Change reports from the user's input ---

TEST_F(InputBoxEditing, ChangeFollowsTheUsersEditsNotTheCodesWrites)
{
    ControlSite &site = load(1, QStringLiteral("3000"));
    QLineEdit *other = addOtherBox();
    ASSERT_TRUE(showForm());
    QLineEdit *txtRight = right(site);
    EXPECT_EQ(txtRight->text(), "$3,000.00");

    struct Step
    {
        const char *label;
        std::function<void()> act;
        int changes;
        const char16_t *display;
        const char16_t *text;
    };
    const Step steps[] = {
        {"setters",
            [&] {
                let(site, InputBoxId::Alignment, Variant(1));
                let(site, InputBoxId::Style, Variant(1));
                // Texts that change the display, so that no skip is left pending.
                let(site, InputBoxId::Text, Variant("2999"));
                let(site, InputBoxId::Text, Variant("3000"));
                let(site, InputBoxId::BackColor, Variant(0x00FFFFFF));
                let(site, InputBoxId::ForeColor, Variant(0));
                setFont(site, get(site, InputBoxId::Font));
            },
            0, u"$3,000.00", u"3000"},
        {"focus gained shows the amount as entered", [&] { clickInto(txtRight); }, 1, u"3000",
            u"3000"},
        {"typing", [&] { QTest::keyClicks(txtRight, "-5"); }, 3, u"3000-5", u""},
        {"deleting", [&] { QTest::keyClick(txtRight, Qt::Key_Backspace); }, 4, u"3000-", u"-3000"},
        {"typing again", [&] { QTest::keyClicks(txtRight, "1"); }, 5, u"3000-1", u""},
        {"select all and type",
            [&] {
                txtRight->selectAll();
                QTest::keyClicks(txtRight, "-7");
            },
            7, u"-7", u"-7"},
        {"focus lost formats again", [&] { QTest::mouseClick(other, Qt::LeftButton); }, 7,
            u"($7.00)", u"-7"},
    };
    for (const Step &step : steps) {
        step.act();
        EXPECT_EQ(changes, step.changes) << step.label;
        EXPECT_EQ(txtRight->text(), QString::fromUtf16(step.display)) << step.label;
        EXPECT_EQ(text(site), QString::fromUtf16(step.text)) << step.label;
    }
    EXPECT_EQ(textColor(txtRight), Red);
    EXPECT_TRUE(other->hasFocus());
}

// --- No keystroke is lost to a rewrite of the same text ---

class InputBoxKeystrokes;

struct KeystrokeCase
{
    const char *label;
    std::function<ControlSite &(InputBoxKeystrokes &)> place;
    // Typed after a click into the shown box; a tab is the Tab key. Tabbing into a box selects
    // its whole text, which the next key replaces.
    const char16_t *keys;
    const char16_t *display;
    const char16_t *text;
    int changes;

    friend void PrintTo(const KeystrokeCase &c, std::ostream *os) { *os << c.label; }
};

class InputBoxKeystrokes : public InputBoxTest, public testing::WithParamInterface<KeystrokeCase>
{
public:
    using InputBoxTest::let;
    using InputBoxTest::load;
    using InputBoxTest::place;
};

TEST_P(InputBoxKeystrokes, EveryKeystrokeReachesTheValue)
{
    const KeystrokeCase c = GetParam();
    ControlSite &site = c.place(*this);
    addOtherBox();
    ASSERT_TRUE(showForm());
    clickInto(shown(site));
    typeKeys(QString::fromUtf16(c.keys));
    EXPECT_EQ(shown(site)->text(), QString::fromUtf16(c.display));
    EXPECT_EQ(text(site), QString::fromUtf16(c.text));
    EXPECT_EQ(changes, c.changes);
}

INSTANTIATE_TEST_SUITE_P(Table, InputBoxKeystrokes,
    testing::Values(KeystrokeCase {"standard, out and back in",
                        [](InputBoxKeystrokes &t) -> ControlSite & { return t.load(0, "abc"); },
                        u"d\t\te\t", u"e", u"e", 2},
        KeystrokeCase {"new empty currency box",
            [](InputBoxKeystrokes &t) -> ControlSite & {
                ControlSite &site = t.place();
                t.let(site, InputBoxId::Style, Variant(1));
                return site;
            },
            u"5\t", u"$5.00", u"5", 1},
        KeystrokeCase {"currency, no amount, out and back in",
            [](InputBoxKeystrokes &t) -> ControlSite & { return t.load(1, "abc"); }, u"d\t\te\t",
            u"e", u"", 2},
        KeystrokeCase {"the same text set again",
            [](InputBoxKeystrokes &t) -> ControlSite & {
                ControlSite &site = t.load(0, "old");
                t.let(site, InputBoxId::Text, Variant("old"));
                return site;
            },
            u"a", u"olda", u"olda", 1}),
    [](const auto &info) { return testName(QString::fromLatin1(info.param.label)); });

// --- The focus when a refresh hides the focused box ---

struct HiddenFocusCase
{
    const char *label;
    int32_t style;
    int32_t alignment;
    DispId setter;
    Variant value;
    const char *shownBox;
    const char16_t *display;
    const char16_t *saved; // the value as entered afterwards
    int changes; // entering the box included

    friend void PrintTo(const HiddenFocusCase &c, std::ostream *os) { *os << c.label; }
};

class InputBoxHiddenFocus : public InputBoxTest, public testing::WithParamInterface<HiddenFocusCase>
{
};

// Hidden for a moment, the box passes the focus on, as any hidden control does; the refresh
// that follows changes the value neither by its own writes nor by those of the nested refresh
// that the focus loss runs.
TEST_P(InputBoxHiddenFocus, AnotherControlTakesTheFocusAndTheValueStays)
{
    const HiddenFocusCase c = GetParam();
    ControlSite &site = load(c.style, QStringLiteral("-12"), c.alignment);
    QLineEdit *other = addOtherBox();
    ASSERT_TRUE(showForm());
    clickInto(shown(site));
    let(site, c.setter, c.value);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(shownBox(site), c.shownBox);
    EXPECT_EQ(shown(site)->text(), QString::fromUtf16(c.display));
    EXPECT_EQ(toText(site.save().ReadProperty("Text")), QString::fromUtf16(c.saved));
    EXPECT_EQ(changes, c.changes);
}

INSTANTIATE_TEST_SUITE_P(Table, InputBoxHiddenFocus,
    testing::Values(HiddenFocusCase {"standard, same box", 0, 0, InputBoxId::Alignment, Variant(0),
                        "txtLeft", u"-12", u"-12", 0},
        HiddenFocusCase {"currency, same box, new text", 1, 0, InputBoxId::Text, Variant("-7"),
            "txtRight", u"($7.00)", u"-7", 1},
        HiddenFocusCase {"currency, same box, same text", 1, 0, InputBoxId::Text, Variant("-12"),
            "txtRight", u"($12.00)", u"-12", 1},
        HiddenFocusCase {"currency to standard", 1, 0, InputBoxId::Style, Variant(0), "txtLeft",
            u"-12", u"-12", 1}),
    [](const auto &info) { return testName(QString::fromLatin1(info.param.label)); });

struct KeptFocusCase
{
    const char *label;
    int32_t style;
    int32_t alignment;
    DispId setter;
    Variant value;
    const char *shownBox;
    int changes; // entering the box and the keystroke

    friend void PrintTo(const KeptFocusCase &c, std::ostream *os) { *os << c.label; }
};

class InputBoxKeptFocus : public InputBoxTest, public testing::WithParamInterface<KeptFocusCase>
{
};

// With no other control to take it, the focus goes from the box that was hidden to the one
// that is shown, and the user's keys reach the box they see.
TEST_P(InputBoxKeptFocus, TheShownBoxTakesTheFocusFromTheHiddenOne)
{
    const KeptFocusCase c = GetParam();
    ControlSite &site = load(c.style, QStringLiteral("-12"), c.alignment);
    ASSERT_TRUE(showForm());
    clickInto(shown(site));
    let(site, c.setter, c.value);
    ASSERT_EQ(shownBox(site), c.shownBox);
    QLineEdit *hidden = shown(site) == left(site) ? right(site) : left(site);
    EXPECT_TRUE(shown(site)->hasFocus());
    EXPECT_FALSE(hidden->hasFocus());
    typeKeys(QStringLiteral("9"));
    EXPECT_EQ(shown(site)->text(), "-129");
    EXPECT_EQ(text(site), "-129");
    EXPECT_EQ(changes, c.changes);
}

INSTANTIATE_TEST_SUITE_P(Table, InputBoxKeptFocus,
    testing::Values(
        KeptFocusCase {"currency to standard", 1, 0, InputBoxId::Style, Variant(0), "txtLeft", 2},
        KeptFocusCase {
            "standard left to right", 0, 0, InputBoxId::Alignment, Variant(1), "txtRight", 1},
        KeptFocusCase {
            "standard right to left", 0, 2, InputBoxId::Alignment, Variant(0), "txtLeft", 1},
        KeptFocusCase {"standard to currency", 0, 0, InputBoxId::Style, Variant(1), "txtRight", 2}),
    [](const auto &info) { return testName(QString::fromLatin1(info.param.label)); });

// --- The one-shot skip flag ---

struct SkipCase
{
    const char *label;
    int32_t alignment;
    std::function<void(ControlSite &)> arrange; // runs a refresh that leaves the flag raised

    friend void PrintTo(const SkipCase &c, std::ostream *os) { *os << c.label; }
};

class InputBoxSkip : public InputBoxTest, public testing::WithParamInterface<SkipCase>
{
};

TEST_P(InputBoxSkip, TheReportAfterARefreshThatWroteNothingNewIsIgnored)
{
    const SkipCase c = GetParam();
    const PropertyBag empty;
    ControlSite &site = place(&empty);
    let(site, InputBoxId::Alignment, Variant(c.alignment));
    let(site, InputBoxId::Text, Variant("old"));
    ASSERT_TRUE(showForm());
    c.arrange(site);
    QLineEdit *edit = shown(site);
    clickInto(edit);
    QTest::keyClicks(edit, "a");
    EXPECT_EQ(edit->text(), "olda") << c.label;
    EXPECT_EQ(toText(site.save().ReadProperty("Text")), "old") << c.label;
    EXPECT_EQ(changes, 0) << c.label;
    // The next one copies the box's whole text.
    QTest::keyClicks(edit, "b");
    EXPECT_EQ(toText(site.save().ReadProperty("Text")), "oldab") << c.label;
    EXPECT_EQ(changes, 1) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Table, InputBoxSkip,
    testing::Values(SkipCase {"style 2 in txtLeft", 0,
                        [](ControlSite &site) { site.control()->let("style", Variant(2)); }},
        SkipCase {"style 2 in txtRight", 1,
            [](ControlSite &site) { site.control()->let("style", Variant(2)); }}),
    [](const auto &info) { return testName(QString::fromLatin1(info.param.label)); });

// --- Enter ---

struct EnterCase
{
    const char *label;
    int32_t style;
    int32_t alignment;
    const char16_t *display; // after Enter
    bool red;
    bool nextReportIgnored; // the refresh wrote nothing, and left the skip raised

    friend void PrintTo(const EnterCase &c, std::ostream *os) { *os << c.label; }
};

class InputBoxEnter : public InputBoxTest, public testing::WithParamInterface<EnterCase>
{
};

TEST_P(InputBoxEnter, EnterInTxtRightIsSwallowedRefreshesAndGivesTheFormTheFocus)
{
    const EnterCase c = GetParam();
    ControlSite &site = load(c.style, QStringLiteral("1"), c.alignment);
    ASSERT_TRUE(showForm());
    QLineEdit *txtRight = right(site);
    ASSERT_EQ(shownBox(site), "txtRight");
    QSignalSpy returns(txtRight, &QLineEdit::returnPressed);
    clickInto(txtRight);
    txtRight->selectAll();
    QTest::keyClicks(txtRight, "-7");
    const int before = changes;

    QTest::keyClick(txtRight, Qt::Key_Return);
    EXPECT_EQ(returns.count(), 0) << c.label;
    EXPECT_EQ(txtRight->text(), QString::fromUtf16(c.display)) << c.label;
    EXPECT_EQ(textColor(txtRight) == Red, c.red) << c.label;
    EXPECT_EQ(changes, before) << c.label;
    EXPECT_FALSE(txtRight->hasFocus()) << c.label;
    EXPECT_EQ(QApplication::focusWidget(), form.window()) << c.label;
    EXPECT_EQ(toText(site.save().ReadProperty("Text")), "-7") << c.label;

    // Back in the box, the first keystroke shows whether the refresh left the flag raised.
    clickInto(txtRight);
    const int afterFocus = changes;
    QTest::keyClicks(txtRight, "0");
    EXPECT_EQ(changes - afterFocus, c.nextReportIgnored ? 0 : 1) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Table, InputBoxEnter,
    testing::Values(EnterCase {"standard", 0, 1, u"-7", false, false},
        EnterCase {"currency", 1, 0, u"($7.00)", true, false},
        EnterCase {"other style", 2, 2, u"-7", false, true}),
    [](const auto &info) { return testName(QString::fromLatin1(info.param.label)); });

TEST_F(InputBoxEditing, EnterInTxtLeftIsAnOrdinaryKey)
{
    ControlSite &site = load(0, QStringLiteral("abc"));
    ASSERT_TRUE(showForm());
    QLineEdit *txtLeft = left(site);
    QSignalSpy returns(txtLeft, &QLineEdit::returnPressed);
    clickInto(txtLeft);
    QTest::keyClick(txtLeft, Qt::Key_Return);
    EXPECT_EQ(returns.count(), 1);
    EXPECT_TRUE(txtLeft->hasFocus());
    // No refresh ran, so the next keystroke counts.
    QTest::keyClicks(txtLeft, "d");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(text(site), "abcd");
}

// A form whose late-bound view has no SetFocus.
class FormWithoutSetFocus : public Dispatch
{
public:
    Variant invoke(DispId id, InvokeKind, const Args &) override
    {
        throw RuntimeError(ErrorNumber::ObjectDoesntSupport, QString::number(id));
    }
    DispId idOfName(const QString &name) const override
    {
        throw RuntimeError(ErrorNumber::ObjectDoesntSupport, name);
    }
    QString className() const override { return QStringLiteral("Form"); }
};

// Sites a control on a bare window of its own, with that form as its parent.
class BareContainer : public ControlContainer
{
public:
    bool ambientUserMode() const override { return true; }
    std::shared_ptr<StdFont> ambientFont() const override { return std::make_shared<StdFont>(); }
    uint32_t ambientForeColor() const override { return 0; }
    DispatchPtr parent() const override { return std::make_shared<FormWithoutSetFocus>(); }
    void propertyChanged(const QString &) override { }
    void raiseEvent(DispId, const Args &) override { }
    void extentChanged(double, double) override { }
};

TEST_F(InputBoxEditing, AContainerWithoutSetFocusFailsEnterAfterTheRefresh)
{
    QWidget window;
    BareContainer container;
    std::shared_ptr<UserControl> control = host.create(InputBoxProgId);
    control->setContainer(&container);
    control->surface()->setParent(&window);
    control->surface()->show();
    control->UserControl_Initialize();
    PropertyBag bag;
    bag.WriteProperty("style", Variant(1));
    bag.WriteProperty("text", Variant("12"));
    control->UserControl_ReadProperties(bag);
    control->setExtent(2400, 450);
    window.resize(200, 100);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    auto *txtRight = control->surface()->findChild<QLineEdit *>("txtRight");
    QSignalSpy returns(txtRight, &QLineEdit::returnPressed);
    clickInto(txtRight);
    EXPECT_EQ(txtRight->text(), "12");
    txtRight->selectAll();
    QTest::keyClicks(txtRight, "-7");
    // The user's key has no statement waiting for its error: the platform reports it.
    std::vector<int32_t> reported;
    setUnhandledErrorHandler([&](const RuntimeError &e) { reported.push_back(e.number()); });
    QTest::keyClick(txtRight, Qt::Key_Return);
    setUnhandledErrorHandler({});
    EXPECT_EQ(reported, std::vector<int32_t>({438}));
    // The key was swallowed and the display refreshed before the call failed.
    EXPECT_EQ(returns.count(), 0);
    EXPECT_EQ(txtRight->text(), "($7.00)");
    EXPECT_EQ(textColor(txtRight), Red);
    EXPECT_EQ(toText(control->get("Text")), "-7");

    control->setContainer(nullptr);
}

// --- Any text ---

struct AnyTextCase
{
    const char *label;
    QString text;

    friend void PrintTo(const AnyTextCase &c, std::ostream *os) { *os << c.label; }
};

QString megabyte(const QString &pattern)
{
    QString text;
    text.reserve(1 << 20);
    while (text.size() < (1 << 20))
        text.append(pattern);
    text.truncate(1 << 20);
    return text;
}

class InputBoxAnyText : public InputBoxTest, public testing::WithParamInterface<AnyTextCase>
{
};

TEST_P(InputBoxAnyText, SetInEitherStyleItReadsBackAsEntered)
{
    const QString entered = GetParam().text;
    for (const int32_t style : {0, 1}) {
        ControlSite &site = load(style, QString(), 0, QStringLiteral("Box%1").arg(style));
        let(site, InputBoxId::Text, Variant(entered));
        const QString back = toText(site.save().ReadProperty("Text"));
        EXPECT_EQ(back.size(), entered.size()) << style;
        EXPECT_TRUE(back == entered) << style;
        if (style == 0) {
            EXPECT_TRUE(text(site) == entered);
            EXPECT_TRUE(left(site)->text() == entered);
        } else {
            // None of them is an amount.
            EXPECT_EQ(text(site), QString());
        }
    }
}

TEST_P(InputBoxAnyText, PastedByTheUserItReadsBackAsPasted)
{
    const QString entered = GetParam().text;
    ControlSite &site = load(0, QStringLiteral("x"), 1);
    ASSERT_TRUE(showForm());
    clickInto(right(site));
    right(site)->selectAll();
    QApplication::clipboard()->setText(entered);
    QTest::keyClick(right(site), Qt::Key_V, Qt::ControlModifier);
    const QString pasted = right(site)->text();
    EXPECT_TRUE(text(site) == pasted);
    EXPECT_EQ(pasted.size(), entered.size());
    EXPECT_EQ(changes, 1);
}

INSTANTIATE_TEST_SUITE_P(Table, InputBoxAnyText,
    testing::Values(AnyTextCase {"a megabyte of letters", megabyte(QStringLiteral("abcdefg "))},
        AnyTextCase {"a megabyte of digits", megabyte(QStringLiteral("1234567890"))},
        AnyTextCase {"control characters", QString::fromUtf16(u"\x01\x02\t\r\n\x1b\x7f 12\x08")},
        AnyTextCase {"embedded nul", QString::fromUtf16(u"1\0002", 3)},
        AnyTextCase {"unpaired surrogates", QString::fromUtf16(u"\xD800-5\xDC00")},
        AnyTextCase {"emoji and combining marks", QString::fromUtf16(u"\xD83D\xDCB0 e\x0301 5")},
        AnyTextCase {"right to left", QString::fromUtf16(u"\x202E\x05E9\x05DC\x05D5\x05DD 7")},
        AnyTextCase {"format characters", QString::fromUtf16(u"\xFEFF\x200B\x2060-3")}),
    [](const auto &info) { return testName(QString::fromLatin1(info.param.label)); });

TEST_F(InputBoxEditing, TypedUnicodeReachesTheCurrencyBoxUnfiltered)
{
    ControlSite &site = load(1, QString());
    ASSERT_TRUE(showForm());
    QLineEdit *txtRight = right(site);
    clickInto(txtRight);
    const QString typed = QString::fromUtf16(u"\xD83D\xDCB0\x05E9-1\xD800");
    platform::test::ControlTestHost::typeText(txtRight, typed);
    EXPECT_TRUE(txtRight->text() == typed);
    EXPECT_TRUE(toText(site.save().ReadProperty("Text")) == txtRight->text());
    EXPECT_EQ(text(site), "");
}

} // namespace
