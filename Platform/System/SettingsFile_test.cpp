#include "SettingsFile.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

bool sameEntries(const std::vector<SettingsEntry> &a, const std::vector<SettingsEntry> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto &x, const auto &y) {
        return x.app == y.app && x.section == y.section && x.key == y.key && x.value == y.value;
    });
}

TEST(SettingsFile, SkipsLinesThatDoNotReadAndKeepsTheRest)
{
    const QString text = "garbage before any section\n"
                         "[App/S]\n"
                         "good=1\n"
                         "bad escape=\\q\n"
                         "no equals sign\n"
                         "cut=\\u00\n"
                         "[broken section\n"
                         "also=2\n"
                         "[App/T]\r\n"
                         "crlf=3\r\n";
    const auto entries = parseSettings(text);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].key, "good");
    EXPECT_EQ(entries[0].value, "1");
    EXPECT_EQ(entries[1].section, "T");
    EXPECT_EQ(entries[1].value, "3");
}

// Names the file's syntax would take for something else are written so that they read back.
TEST(SettingsFile, NamesThatLookLikeSyntaxReadBack)
{
    const std::vector<SettingsEntry> entries = {
        {"App", "Sec", "#Key", "v1"},
        {"App", "Sec", "#", "v2"},
        {"#App", "#Sec", "[Key]", "v3"},
        {"A=B", "C/D", "E=F", "#v4"},
        {"App", "Sec", "", ""},
    };
    const QByteArray bytes = writeSettings(entries);
    EXPECT_TRUE(sameEntries(parseSettings(QString::fromUtf8(bytes)), entries)) << bytes.data();
    const SettingsFileContent content = readSettingsFile(bytes);
    EXPECT_FALSE(content.problem) << bytes.data();
    EXPECT_TRUE(sameEntries(content.entries, entries)) << bytes.data();
}

// Files that earlier versions of the store wrote, and files edited by hand, read as they did.
TEST(SettingsFile, FilesOfEarlierVersionsReadTheSame)
{
    const QByteArray bytes = "[QuillComboBox/Parametros]\n"
                             "Selecciones=Apple|3|Grape|5|\n"
                             "Escaped=a\\\\b\\nc\\u0001\\ud800\n"
                             "[a\\u002fb/\\u005bs\\u005d\\u003d]\n"
                             "k\\u003d\\n=odd names\n"
                             "#Lost=a key an earlier version wrote as a comment\n";
    const SettingsFileContent content = readSettingsFile(bytes);
    ASSERT_FALSE(content.problem) << content.problem->what.toStdString();
    const std::vector<SettingsEntry> expected = {
        {"QuillComboBox", "Parametros", "Selecciones", "Apple|3|Grape|5|"},
        {"QuillComboBox", "Parametros", "Escaped", QStringLiteral("a\\b\nc\u0001") + QChar(0xD800)},
        {"a/b", "[s]=", "k=\n", "odd names"},
    };
    EXPECT_TRUE(sameEntries(content.entries, expected));
    EXPECT_EQ(writeSettings(content.entries), bytes.left(bytes.indexOf("#Lost")));

    const SettingsFileContent byHand = readSettingsFile("\xef\xbb\xbf# settings\r\n\r\n \t\r\n"
                                                        "[App/S]\r\n"
                                                        "K=V\r\n");
    ASSERT_FALSE(byHand.problem);
    EXPECT_TRUE(sameEntries(byHand.entries, {{"App", "S", "K", "V"}}));
}

// The store takes a file whole or not at all, so the first line that does not read is named.
TEST(SettingsFile, TheFirstLineThatDoesNotReadIsNamed)
{
    struct Case
    {
        QByteArray bytes;
        qsizetype line;
        const char *what;
    };
    const Case cases[] = {
        {"[App/S]\nA=1\nB=caf\xe9\n", 3, "not UTF-8"},
        {"[App/S]\nA=\xed\xa0\x80\n", 2, "not UTF-8"},
        {"[App/S]\nA=1\nno equals sign\nC=\\q\n", 3, "neither a section nor a setting"},
        {"[App/S]\nA=\\q\n", 2, "broken escape"},
        {"[App/S]\nA=\\u00\n", 2, "broken escape"},
        {"[App/S]\n[App\nB=2\n", 2, "closing"},
        {"[App]\nB=2\n", 1, "\"/\""},
        {"[\\q/S]\nB=2\n", 1, "broken escape"},
        {"\n\nA=1\n[App/S]\n", 3, "outside any readable section"},
    };
    for (const Case &c : cases) {
        const SettingsFileContent content = readSettingsFile(c.bytes);
        ASSERT_TRUE(content.problem) << c.bytes.data();
        EXPECT_EQ(content.problem->line, c.line) << c.bytes.data();
        EXPECT_TRUE(content.problem->what.contains(QString::fromUtf8(c.what)))
            << c.bytes.data() << " -> " << content.problem->what.toStdString();
        EXPECT_TRUE(content.entries.empty()) << c.bytes.data();
    }
}

TEST(SettingsFile, WhatIsWrittenAlwaysReadsWithoutAProblem)
{
    const std::vector<SettingsEntry> entries = {
        {"", "", "", ""},
        {QString(QChar(0xFEFF)) + "App", "S", " ", "\r\n"},
        {"App", QString(QChar(0xDFFF)), "\u007f", QString(QChar(0xD83D))},
        {"[", "]", "=", "="},
        {"App", "S", "\\u0023", "\\"},
    };
    const SettingsFileContent content = readSettingsFile(writeSettings(entries));
    EXPECT_FALSE(content.problem);
    EXPECT_TRUE(sameEntries(content.entries, entries));
}

} // namespace
