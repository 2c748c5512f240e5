#include "SettingsFile.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

namespace platform {

namespace {

bool needsEscape(char16_t u, bool isName)
{
    return u == u'\\' || u < 0x20 || u == 0x7F || QChar::isSurrogate(u)
        || (isName && (u == u'[' || u == u']' || u == u'=' || u == u'#'));
}

// Values can be large (a remembered-selections list of thousands of texts): a text that needs
// no escape is returned as it is, without a copy, and otherwise plain runs are copied whole.
QString escape(const QString &text, bool isName)
{
    qsizetype first = 0;
    while (first < text.size() && !needsEscape(text[first].unicode(), isName))
        ++first;
    if (first == text.size())
        return text;
    QString out;
    out.reserve(text.size() + 16);
    qsizetype runStart = 0;
    for (qsizetype i = first; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (!needsEscape(u, isName))
            continue;
        out.append(QStringView(text).mid(runStart, i - runStart));
        runStart = i + 1;
        switch (u) {
        case u'\\':
            out.append(u"\\\\");
            break;
        case u'\n':
            out.append(u"\\n");
            break;
        case u'\r':
            out.append(u"\\r");
            break;
        case u'\t':
            out.append(u"\\t");
            break;
        default:
            out.append(QStringLiteral("\\u%1").arg(u, 4, 16, QChar(u'0')));
        }
    }
    out.append(QStringView(text).mid(runStart));
    return out;
}

// Appends UTF-8 straight into the file's bytes, without a converted copy of a large value.
void appendUtf8(QByteArray &out, QStringView text)
{
    QStringEncoder encoder(QStringEncoder::Utf8);
    const qsizetype used = out.size();
    out.resize(used + encoder.requiredSpace(text.size()));
    char *end = encoder.appendToBuffer(out.data() + used, text);
    out.resize(end - out.constData());
}

std::optional<QString> unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    for (;;) {
        const qsizetype backslash = text.indexOf(u'\\', i);
        if (backslash < 0) {
            out.append(text.mid(i));
            return out;
        }
        out.append(text.mid(i, backslash - i));
        i = backslash + 1;
        if (i >= text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case u'\\':
            out += u'\\';
            break;
        case u'n':
            out += u'\n';
            break;
        case u'r':
            out += u'\r';
            break;
        case u't':
            out += u'\t';
            break;
        case u'u': {
            if (i + 4 >= text.size())
                return std::nullopt;
            bool ok = false;
            const uint code = text.mid(i + 1, 4).toUInt(&ok, 16);
            if (!ok)
                return std::nullopt;
            out += QChar(static_cast<char16_t>(code));
            i += 4;
            break;
        }
        default:
            return std::nullopt;
        }
        ++i;
    }
}

// The position of the first character c that is not escaped, or -1.
qsizetype findUnescaped(QStringView text, QChar c)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == c)
            return i;
    }
    return -1;
}

// Reads every line it can; the first that does not read is reported in problem.
std::vector<SettingsEntry> parseLines(QStringView text, std::optional<SettingsProblem> &problem)
{
    std::vector<SettingsEntry> entries;
    std::optional<QString> app, section;
    auto fail = [&](qsizetype line, const char *what) {
        if (!problem)
            problem = SettingsProblem {line, QString::fromLatin1(what)};
    };
    if (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1);
    qsizetype number = 0;
    for (QStringView line : text.split(u'\n')) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            // Keys escape "[", so this is a section line; a broken one files nothing below it.
            app.reset();
            section.reset();
            if (!line.endsWith(u']')) {
                fail(number, "a section line without its closing \"]\"");
                continue;
            }
            const QStringView inner = line.mid(1, line.size() - 2);
            const qsizetype cut = findUnescaped(inner, u'/');
            if (cut < 0) {
                fail(number, "a section line without \"/\" between application and section");
                continue;
            }
            app = unescape(inner.left(cut));
            section = unescape(inner.mid(cut + 1));
            if (!app || !section) {
                app.reset();
                section.reset();
                fail(number, "a broken escape in a section line");
            }
            continue;
        }
        const qsizetype equals = findUnescaped(line, u'=');
        if (equals < 0) {
            fail(number, "a line that is neither a section nor a setting");
            continue;
        }
        if (!app || !section) {
            fail(number, "a setting outside any readable section");
            continue;
        }
        const auto key = unescape(line.left(equals));
        const auto value = unescape(line.mid(equals + 1));
        if (key && value)
            entries.push_back({*app, *section, *key, *value});
        else
            fail(number, "a broken escape");
    }
    return entries;
}

// The number of the first line whose bytes are not UTF-8, or 0.
qsizetype firstLineNotUtf8(const QByteArray &bytes)
{
    qsizetype number = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        ++number;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder(line);
        if (decoder.hasError())
            return number;
    }
    return 0;
}

} // namespace

std::vector<SettingsEntry> parseSettings(const QString &text)
{
    std::optional<SettingsProblem> ignored;
    return parseLines(text, ignored);
}

SettingsFileContent readSettingsFile(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    SettingsFileContent content;
    if (decoder.hasError()) {
        content.problem = SettingsProblem {firstLineNotUtf8(bytes), QStringLiteral("not UTF-8")};
        return content;
    }
    content.entries = parseLines(text, content.problem);
    if (content.problem)
        content.entries.clear();
    return content;
}

QByteArray writeSettings(const std::vector<SettingsEntry> &entries)
{
    QByteArray out;
    const SettingsEntry *previous = nullptr;
    for (const SettingsEntry &entry : entries) {
        if (!previous || previous->app != entry.app || previous->section != entry.section) {
            const QString slash = QStringLiteral("\\u002f");
            appendUtf8(out,
                u'[' + escape(entry.app, true).replace(QChar(u'/'), slash) + u'/'
                    + escape(entry.section, true).replace(QChar(u'/'), slash) + u']');
            out.append('\n');
        }
        appendUtf8(out, escape(entry.key, true));
        out.append('=');
        appendUtf8(out, escape(entry.value, false));
        out.append('\n');
        previous = &entry;
    }
    return out;
}

} // namespace platform
