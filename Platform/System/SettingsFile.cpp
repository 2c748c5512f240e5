#include "SettingsFile.h"

#include <QList>
#include <QStringEncoder>
#include <optional>

namespace platform {

namespace {

bool needsEscape(char16_t u, bool isName)
{
    return u == u'\\' || u < 0x20 || u == 0x7F || QChar::isSurrogate(u)
        || (isName && (u == u'[' || u == u']' || u == u'='));
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

} // namespace

std::vector<SettingsEntry> parseSettings(const QString &text)
{
    std::vector<SettingsEntry> entries;
    std::optional<QString> app, section;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            // Keys escape "[", so this is a section line; a broken one files nothing below it.
            app.reset();
            section.reset();
            if (!line.endsWith(u']'))
                continue;
            const QStringView inner = line.mid(1, line.size() - 2);
            const qsizetype cut = findUnescaped(inner, u'/');
            if (cut < 0)
                continue;
            app = unescape(inner.left(cut));
            section = unescape(inner.mid(cut + 1));
            continue;
        }
        const qsizetype equals = findUnescaped(line, u'=');
        if (!app || !section || equals < 0)
            continue;
        const auto key = unescape(line.left(equals));
        const auto value = unescape(line.mid(equals + 1));
        if (key && value)
            entries.push_back({*app, *section, *key, *value});
    }
    return entries;
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
