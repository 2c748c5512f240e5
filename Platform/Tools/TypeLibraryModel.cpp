#include "TypeLibraryModel.h"

#include "../Value/RuntimeError.h"

#include <QSet>
#include <algorithm>

namespace platform::typegen {

namespace {

const QSet<QString> &cppKeywords()
{
    static const QSet<QString> words {// C++20 keywords
        "alignas", "alignof", "asm", "auto", "bool", "break", "case", "catch", "char", "char8_t",
        "char16_t", "char32_t", "class", "concept", "const", "consteval", "constexpr", "constinit",
        "const_cast", "continue", "co_await", "co_return", "co_yield", "decltype", "default",
        "delete", "do", "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern",
        "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable",
        "namespace", "new", "noexcept", "nullptr", "operator", "private", "protected", "public",
        "register", "reinterpret_cast", "requires", "return", "short", "signed", "sizeof", "static",
        "static_assert", "static_cast", "struct", "switch", "template", "this", "thread_local",
        "throw", "true", "try", "typedef", "typeid", "typename", "union", "unsigned", "using",
        "virtual", "void", "volatile", "wchar_t", "while",
        // alternative tokens
        "and", "and_eq", "bitand", "bitor", "compl", "not", "not_eq", "or", "or_eq", "xor",
        "xor_eq"};
    return words;
}

bool isIdentifierChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
        || c == u'_';
}

[[noreturn]] void malformed(const QString &detail)
{
    throw RuntimeError(ErrorNumber::InvalidFileFormat, detail);
}

MemberKind kindOf(const MemberInfo &member)
{
    return member.kind == InvokeKind::Method ? MemberKind::Method : MemberKind::Property;
}

std::vector<ModelMember> membersOf(const ClassInfo &info)
{
    std::vector<ModelMember> members;
    IdentifierScope scope;
    for (const MemberInfo &entry : info.defaultInterface.members) {
        const auto same = std::find_if(members.begin(), members.end(),
            [&](const auto &m) { return m.name.compare(entry.name, Qt::CaseInsensitive) == 0; });
        if (same == members.end()) {
            members.push_back(
                {entry.name, scope.claim(entry.name), entry.id, kindOf(entry), {&entry}});
            continue;
        }
        if (same->id != entry.id) {
            malformed(QStringLiteral("%1.%2 has two ids, %3 and %4")
                          .arg(info.name, entry.name)
                          .arg(same->id)
                          .arg(entry.id));
        }
        if (same->kind != kindOf(entry)) {
            malformed(
                QStringLiteral("%1.%2 is both a property and a method").arg(info.name, entry.name));
        }
        same->entries.push_back(&entry);
    }
    return members;
}

std::vector<ModelEvent> eventsOf(const ClassInfo &info)
{
    std::vector<ModelEvent> events;
    IdentifierScope scope;
    for (const MemberInfo &entry : info.eventInterface.members) {
        const auto same = std::find_if(events.begin(), events.end(),
            [&](const auto &e) { return e.name.compare(entry.name, Qt::CaseInsensitive) == 0; });
        if (same != events.end()) {
            malformed(QStringLiteral("%1 declares the event %2 twice").arg(info.name, entry.name));
        }
        events.push_back({entry.name, scope.claim(entry.name), entry.id, &entry});
    }
    return events;
}

} // namespace

bool isCppKeyword(const QString &word)
{
    return cppKeywords().contains(word);
}

QString cppStringLiteral(const QString &text)
{
    // Octal escapes, unlike hex ones, end after three digits, so a digit that follows cannot
    // run into them.
    QString result = QStringLiteral("\"");
    for (const char byte : text.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == '"' || c == '\\')
            result += u'\\' + QChar(c);
        else if (c < 0x20 || c >= 0x7F)
            result += QStringLiteral("\\%1").arg(c, 3, 8, QChar(u'0'));
        else
            result += QChar(c);
    }
    return result + u'"';
}

QString cppIntLiteral(int32_t value)
{
    // The smallest int32 has no literal of its own: 2147483648 does not fit before the minus.
    return value == INT32_MIN ? QStringLiteral("-2147483647 - 1") : QString::number(value);
}

QString cppIdentifier(const QString &name)
{
    QString spelled;
    spelled.reserve(name.size() + 1);
    for (QChar c : name) {
        const QChar usable = isIdentifierChar(c) ? c : QChar(u'_');
        if (usable == u'_' && spelled.endsWith(u'_'))
            continue;
        spelled += usable;
    }
    qsizetype leading = 0;
    while (leading < spelled.size() && spelled[leading] == u'_')
        ++leading;
    if (leading > 0)
        spelled = spelled.mid(leading) + u'_';
    if (spelled.isEmpty() || spelled == u"_" || spelled[0].isDigit())
        spelled.prepend(u'n');
    if (isCppKeyword(spelled))
        spelled += u'_';
    return spelled;
}

QString IdentifierScope::claim(const QString &name)
{
    QString identifier = cppIdentifier(name);
    while (m_taken.contains(identifier))
        identifier += u'_';
    m_taken << identifier;
    return identifier;
}

QString IdentifierScope::claim(
    const QString &name, const std::function<QStringList(const QString &)> &companions)
{
    QString identifier = cppIdentifier(name);
    const auto free = [&](const QString &candidate) {
        if (m_taken.contains(candidate))
            return false;
        for (const QString &companion : companions(candidate)) {
            if (m_taken.contains(companion))
                return false;
        }
        return true;
    };
    while (!free(identifier))
        identifier += u'_';
    m_taken << identifier << companions(identifier);
    return identifier;
}

LibraryModel modelOf(const LibraryInfo &library, const QStringList &topLevelNames)
{
    LibraryModel model;
    model.info = &library;
    model.identifier = cppIdentifier(library.name);

    IdentifierScope topLevel(topLevelNames);
    for (const ClassInfo &info : library.classes) {
        if (!info.create)
            continue;
        model.classes.push_back(
            {&info, topLevel.claim(info.name), membersOf(info), eventsOf(info)});
    }
    if (model.classes.empty())
        malformed(QStringLiteral("library %1 has no creatable class").arg(library.name));

    for (const EnumInfo &info : library.enums) {
        ModelEnum entry {info.name, topLevel.claim(info.name), {}};
        IdentifierScope scope;
        for (const EnumInfo::Constant &constant : info.constants)
            entry.constants.push_back({constant.name, scope.claim(constant.name), constant.value});
        model.enums.push_back(std::move(entry));
    }
    return model;
}

} // namespace platform::typegen
