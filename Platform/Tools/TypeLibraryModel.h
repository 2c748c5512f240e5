#pragma once

#include "../Objects/TypeInfo.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// What the code generators see of a type library: its creatable classes with their members
// merged by name (a property's get, let and set are one member), their events, and the
// enumerations, each name paired with the C++ identifier it is written as.
//
// Names are the type library's own. A name C++ cannot take as it stands is spelled by these
// rules, applied in order:
//   1. every character other than A-Z, a-z, 0-9 and _ becomes _, and runs of _ become one;
//   2. leading underscores move to the end (_NewEnum is NewEnum_), since a leading underscore
//      followed by a capital is reserved;
//   3. a name left empty or starting with a digit gets a leading n (1st is n1st);
//   4. a C++ keyword or alternative token gets a trailing underscore (delete is delete_);
//   5. a name already taken in the same scope gets further trailing underscores until it is
//      free. Scopes are claimed in type-library order, after the generator's own names.
namespace platform::typegen {

// A C++ string literal of the text's UTF-8 bytes.
QString cppStringLiteral(const QString &text);
// A C++ literal of a 32-bit integer, the smallest included.
QString cppIntLiteral(int32_t value);

// The C++ spelling of one name, rules 1 to 4 above.
QString cppIdentifier(const QString &name);
bool isCppKeyword(const QString &word);

// The names of one C++ scope, handed out once each (rule 5).
class IdentifierScope
{
public:
    explicit IdentifierScope(QStringList reserved = {}) : m_taken(std::move(reserved)) { }
    QString claim(const QString &name);
    // The same, for a name that brings companions of its own (a property's setter): the
    // spelling is lengthened until neither it nor any of its companions is taken, and all are.
    QString claim(
        const QString &name, const std::function<QStringList(const QString &)> &companions);

private:
    QStringList m_taken;
};

enum class MemberKind { Property, Method };

struct ModelMember
{
    QString name; // as the type library gives it
    QString identifier;
    DispId id = 0;
    MemberKind kind = MemberKind::Method;
    // Every entry of the interface under this name, in slot order: a property's get, let and
    // set by reference, a method's one entry.
    std::vector<const MemberInfo *> entries;
};

struct ModelEvent
{
    QString name;
    QString identifier;
    DispId id = 0;
    const MemberInfo *info = nullptr;
};

struct ModelClass
{
    const ClassInfo *info = nullptr;
    QString identifier;
    std::vector<ModelMember> members;
    std::vector<ModelEvent> events;
};

struct ModelConstant
{
    QString name;
    QString identifier;
    int32_t value = 0;
};

struct ModelEnum
{
    QString name;
    QString identifier;
    std::vector<ModelConstant> constants;
};

// Points into the LibraryInfo it was made from, which must outlive it.
struct LibraryModel
{
    const LibraryInfo *info = nullptr;
    QString identifier; // of the library, the generated code's top namespace
    std::vector<ModelClass> classes;
    std::vector<ModelEnum> enums;
};

// The model of a library. `topLevelNames` are the names a generator puts in the library's
// namespace itself, which classes and enumerations must not take. Raises InvalidFileFormat for
// a library without a creatable class and for a name that stands for two ids or for both a
// property and a method in one interface.
LibraryModel modelOf(const LibraryInfo &library, const QStringList &topLevelNames = {});

} // namespace platform::typegen
