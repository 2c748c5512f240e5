#include "ApiTable.h"

#include "Gdi32.h"
#include "User32.h"

#include "../Value/RuntimeError.h"

#include <map>
#include <set>
#include <utility>

namespace platform {

namespace {

using Key = std::pair<QString, QString>;

struct Entry
{
    ApiTable::Function function;
    std::type_index signature;
};

struct Table
{
    std::map<Key, Entry> entries;
    std::set<Key> hidden;
    uint64_t generation = 1;
};

QString libraryKey(const QString &library)
{
    QString key = library.trimmed().toLower();
    if (key.endsWith(QLatin1String(".dll")))
        key.chop(4);
    return key;
}

Key keyOf(const QString &library, const QString &name)
{
    return {libraryKey(library), name};
}

template<class R, class... A>
void put(Table &t, const char *library, const char *name, R (*function)(A...))
{
    t.entries.insert_or_assign(Key {QString::fromLatin1(library), QString::fromLatin1(name)},
        Entry {reinterpret_cast<ApiTable::Function>(function), typeid(R(A...))});
}

// The stand-ins of the system's own libraries.
Table standardTable()
{
    Table t;
    put(t, "user32", "GetWindowLongA", &GetWindowLongA);
    put(t, "user32", "SetWindowLongA", &SetWindowLongA);
    put(t, "user32", "SetLayeredWindowAttributes", &SetLayeredWindowAttributes);
    put(t, "user32", "SetWindowRgn", &SetWindowRgn);
    put(t, "gdi32", "CreateRoundRectRgn", &CreateRoundRectRgn);
    put(t, "gdi32", "DeleteObject", &DeleteObject);
    put(t, "gdi32", "SetStretchBltMode", &SetStretchBltMode);
    put(t, "gdi32", "StretchBlt", &StretchBlt);
    return t;
}

Table &table()
{
    static Table t = standardTable();
    return t;
}

} // namespace

void ApiTable::addFunction(
    const QString &library, const QString &name, Function function, std::type_index signature)
{
    Table &t = table();
    t.entries.insert_or_assign(keyOf(library, name), Entry {function, signature});
    ++t.generation;
}

void ApiTable::hide(const QString &library, const QString &name)
{
    Table &t = table();
    t.hidden.insert(keyOf(library, name));
    ++t.generation;
}

void ApiTable::show(const QString &library, const QString &name)
{
    Table &t = table();
    t.hidden.erase(keyOf(library, name));
    ++t.generation;
}

bool ApiTable::contains(const QString &library, const QString &name)
{
    const Table &t = table();
    const Key key = keyOf(library, name);
    return t.entries.count(key) && !t.hidden.count(key);
}

uint64_t ApiTable::generation()
{
    return table().generation;
}

ApiTable::Function ApiTable::resolve(
    const QString &library, const QString &name, const std::type_info &signature)
{
    const Table &t = table();
    const Key key = keyOf(library, name);
    const auto found = t.entries.find(key);
    if (found == t.entries.end() || t.hidden.count(key))
        throw RuntimeError(
            ErrorNumber::CantFindDllEntryPoint, QStringLiteral("%1 in %2").arg(name, library));
    // A declaration with other parameter types would pass its arguments wrongly.
    if (found->second.signature != std::type_index(signature))
        throw RuntimeError(ErrorNumber::CantFindDllEntryPoint,
            QStringLiteral("%1 in %2 with the declared parameters").arg(name, library));
    return found->second.function;
}

} // namespace platform
