#include "Pattern.h"

#include <QRandomGenerator>
#include <functional>
#include <gtest/gtest.h>

using namespace platform;

namespace {

struct MatchCase
{
    const char16_t *text;
    const char16_t *pattern;
    bool matches;
};

class PatternElements : public testing::TestWithParam<MatchCase>
{
};

TEST_P(PatternElements, MatchWholeTextAgainstWholePattern)
{
    const auto &c = GetParam();
    EXPECT_EQ(matchesPattern(QString::fromUtf16(c.text), QString::fromUtf16(c.pattern)), c.matches)
        << QString::fromUtf16(c.text).toStdString() << " ~ "
        << QString::fromUtf16(c.pattern).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Basics, PatternElements,
    testing::Values(MatchCase {u"APPLE", u"*AP*", true}, MatchCase {u"GRAPE", u"*AP*", true},
        MatchCase {u"PLUM", u"*AP*", false}, MatchCase {u"", u"*", true},
        MatchCase {u"", u"**", true}, MatchCase {u"", u"", true}, MatchCase {u"A", u"", false},
        MatchCase {u"", u"?", false}, MatchCase {u"A", u"?", true}, MatchCase {u"AB", u"?", false},
        MatchCase {u"ABC", u"ABC", true}, MatchCase {u"ABCD", u"ABC", false},
        MatchCase {u"ABC", u"ABCD", false}, MatchCase {u"abc", u"ABC", false},
        MatchCase {u"ABC", u"A*C", true}, MatchCase {u"AC", u"A*C", true},
        MatchCase {u"ABCB", u"*B", true}, MatchCase {u"ABCBX", u"*B", false},
        MatchCase {u"]", u"]", true}, MatchCase {u"A-B", u"A-B", true}));

INSTANTIATE_TEST_SUITE_P(Digits, PatternElements,
    testing::Values(MatchCase {u"ITEM 1", u"*ITEM #*", true},
        MatchCase {u"MY ITEM 42", u"*ITEM #*", true}, MatchCase {u"ITEM X", u"*ITEM #*", false},
        MatchCase {u"ITEM", u"*ITEM #*", false}, MatchCase {u"9", u"#", true},
        MatchCase {u"\u0663", u"#", false}, MatchCase {u"#", u"[#]", true},
        MatchCase {u"5", u"[#]", false}));

INSTANTIATE_TEST_SUITE_P(Lists, PatternElements,
    testing::Values(MatchCase {u"B", u"[A-C]", true}, MatchCase {u"D", u"[A-C]", false},
        MatchCase {u"D", u"[!A-C]", true}, MatchCase {u"B", u"[!A-C]", false},
        MatchCase {u"X", u"[AXZ]", true}, MatchCase {u"Y", u"[AXZ]", false},
        MatchCase {u"5", u"[A-C0-9]", true}, MatchCase {u"-", u"[A-]", true},
        MatchCase {u"-", u"[-A]", true}, MatchCase {u"*", u"[*]", true},
        MatchCase {u"X", u"[*]", false}, MatchCase {u"?", u"[?]", true},
        MatchCase {u"X", u"[?]", false}, MatchCase {u"[", u"[[]", true},
        MatchCase {u"AB", u"[]AB", true}, MatchCase {u"A", u"[C-A]", false},
        MatchCase {u"Q", u"[!]", true}, MatchCase {u"\u00e4", u"[\u00e0-\u00e5]", true},
        MatchCase {u"\u00e6", u"[\u00e0-\u00e5]", false}, MatchCase {u"AXB", u"A[!Y]B", true},
        MatchCase {u"AB", u"A[!Y]B", false}));

INSTANTIATE_TEST_SUITE_P(Malformed, PatternElements,
    testing::Values(MatchCase {u"A", u"[", false}, MatchCase {u"[", u"[", false},
        MatchCase {u"ABC", u"*[", false}, MatchCase {u"ABC", u"*[A-", false},
        MatchCase {u"", u"[", false}, MatchCase {u"[AB", u"[AB", false}));

INSTANTIATE_TEST_SUITE_P(CodeUnits, PatternElements,
    testing::Values(MatchCase {u"\U0001F600", u"??", true}, MatchCase {u"\U0001F600", u"?", false},
        MatchCase {u"A\U0001F600B", u"A*B", true}, MatchCase {u"\xD800", u"?", true}));

// A direct transcription of the rules, exponential but obviously right, to compare against.
bool referenceMatch(QStringView text, QStringView pattern)
{
    if (pattern.isEmpty())
        return text.isEmpty();
    const QChar p = pattern[0];
    if (p == u'*') {
        for (qsizetype k = 0; k <= text.size(); ++k)
            if (referenceMatch(text.mid(k), pattern.mid(1)))
                return true;
        return false;
    }
    qsizetype used = 1;
    std::function<bool(QChar)> one;
    if (p == u'?') {
        one = [](QChar) { return true; };
    } else if (p == u'#') {
        one = [](QChar c) { return c >= u'0' && c <= u'9'; };
    } else if (p == u'[') {
        const qsizetype close = pattern.indexOf(u']', 1);
        if (close < 0)
            return false;
        QStringView list = pattern.mid(1, close - 1);
        used = close + 1;
        if (list.isEmpty())
            return referenceMatch(text, pattern.mid(used));
        const bool negated = list.startsWith(u'!');
        if (negated)
            list = list.mid(1);
        one = [list, negated](QChar c) {
            bool in = false;
            for (qsizetype k = 0; k < list.size(); ++k) {
                if (k + 2 < list.size() && list[k + 1] == u'-') {
                    in = in || (c >= list[k] && c <= list[k + 2]);
                    k += 2;
                } else {
                    in = in || c == list[k];
                }
            }
            return in != negated;
        };
    } else {
        one = [p](QChar c) { return c == p; };
    }
    if (text.isEmpty() || !one(text[0]))
        return false;
    return referenceMatch(text.mid(1), pattern.mid(used));
}

TEST(Pattern, AgreesWithADirectReadingOfTheRulesOnRandomInputs)
{
    QRandomGenerator random(20261207);
    const QString textAlphabet = QStringLiteral("AB1-");
    const QString patternAlphabet = QStringLiteral("AB1-*?#[]!");
    auto draw = [&](const QString &alphabet, int maxLength) {
        QString s;
        const int length = random.bounded(maxLength + 1);
        for (int i = 0; i < length; ++i)
            s += alphabet[random.bounded(alphabet.size())];
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString text = draw(textAlphabet, 7);
        const QString pattern = draw(patternAlphabet, 6);
        ASSERT_EQ(matchesPattern(text, pattern), referenceMatch(text, pattern))
            << text.toStdString() << " ~ " << pattern.toStdString();
    }
}

TEST(Pattern, PathologicalPatternsFinish)
{
    // Exponential backtracking would not finish these in the life of the test run.
    const QString text(100000, u'A');
    EXPECT_FALSE(matchesPattern(text, u"*A*A*A*A*A*A*B"));
    EXPECT_TRUE(matchesPattern(text + u'B', u"*A*A*A*A*A*A*B"));
    EXPECT_FALSE(matchesPattern(text, QString(2000, u'*') + QStringLiteral("B")));
    EXPECT_FALSE(matchesPattern(QString(5000, u'?'), QString(500, u'*') + QStringLiteral("[!?]")));
}

TEST(Pattern, CompiledPatternIsReusable)
{
    const WildcardPattern pattern(u"*ITEM #*");
    EXPECT_TRUE(pattern.isValid());
    EXPECT_TRUE(pattern.matches(u"ITEM 3"));
    EXPECT_FALSE(pattern.matches(u"ITEMS"));
    EXPECT_TRUE(pattern.matches(u"AN ITEM 7 HERE"));
    EXPECT_FALSE(WildcardPattern(u"[x").isValid());
}

} // namespace
