#include "IdsHeader.h"

namespace platform::typegen {

namespace {

// Ids as the type library prints them, in eight hex digits; negative ones (the standard ids)
// in decimal with their hex form beside.
QString idConstant(const QString &identifier, int32_t id)
{
    const auto bits = static_cast<uint32_t>(id);
    if (id >= 0) {
        return QStringLiteral("inline constexpr ::std::int32_t %1 = 0x%2;\n")
            .arg(identifier)
            .arg(bits, 8, 16, QChar(u'0'));
    }
    return QStringLiteral("inline constexpr ::std::int32_t %1 = %2; // 0x%3\n")
        .arg(identifier, cppIntLiteral(id))
        .arg(bits, 8, 16, QChar(u'0'));
}

QString valueConstant(const QString &identifier, int32_t value)
{
    return QStringLiteral("inline constexpr ::std::int32_t %1 = %2;\n")
        .arg(identifier, cppIntLiteral(value));
}

QString textConstant(const QString &identifier, const QString &text)
{
    return QStringLiteral("inline constexpr const char %1[] = %2;\n")
        .arg(identifier, cppStringLiteral(text));
}

QString entry(const QString &scope, const char *kind, const QString &name, const QString &value)
{
    return QStringLiteral("    {%1, EntryKind::%2, %3, %4},\n")
        .arg(cppStringLiteral(scope), QLatin1String(kind), cppStringLiteral(name), value);
}

const QString Header = QStringLiteral(
    "// Ids of the creatable classes of the type library %1 %2.%3\n"
    "// %4, written by quill-typegen from the library itself.\n"
    "// Do not edit: the build writes it again.\n"
    "//\n"
    "// Names are the type library's own. A name C++ cannot take as it stands is spelled thus:\n"
    "// other characters become _ (runs of _ one), leading underscores move to the end, a name\n"
    "// left empty or starting with a digit gets a leading n, a keyword a trailing _, and a name\n"
    "// already taken in its scope further trailing underscores.\n"
    "#pragma once\n"
    "\n"
    "#include <cstdint>\n"
    "\n"
    "namespace %5 {\n"
    "\n");

} // namespace

QStringList idsHeaderTopLevelNames()
{
    return {QStringLiteral("LibraryId"), QStringLiteral("EntryKind"), QStringLiteral("Entry"),
        QStringLiteral("Entries")};
}

QByteArray idsHeaderText(const LibraryInfo &library)
{
    return idsHeaderText(modelOf(library, idsHeaderTopLevelNames()));
}

QByteArray idsHeaderText(const LibraryModel &model)
{
    const LibraryInfo &library = *model.info;
    QString text = Header.arg(library.name)
                       .arg(library.majorVersion)
                       .arg(library.minorVersion)
                       .arg(library.id.toString(), model.identifier);
    text += textConstant(QStringLiteral("LibraryId"), library.id.toString()) + u'\n';

    QString entries;
    for (const ModelEnum &info : model.enums) {
        text += QStringLiteral("// enum %1\nnamespace %2 {\n").arg(info.name, info.identifier);
        entries += entry(info.name, "Enumeration", info.name, QStringLiteral("0"));
        for (const ModelConstant &value : info.constants) {
            text += valueConstant(value.identifier, value.value);
            entries += entry(info.name, "Constant", value.name,
                QStringLiteral("%1::%2").arg(info.identifier, value.identifier));
        }
        text += QStringLiteral("} // namespace %1\n\n").arg(info.identifier);
    }

    for (const ModelClass &info : model.classes) {
        const ClassInfo &coclass = *info.info;
        text
            += QStringLiteral("// coclass %1\nnamespace %2 {\n").arg(coclass.name, info.identifier);
        text += textConstant(QStringLiteral("ProgId"), coclass.progId);
        text += textConstant(QStringLiteral("ClassId"), coclass.id.toString());
        entries += entry(coclass.name, "Class", coclass.name, QStringLiteral("0"));

        text += QStringLiteral("\n// interface %1\nnamespace Member {\n")
                    .arg(coclass.defaultInterface.name);
        for (const ModelMember &member : info.members) {
            const bool isMethod = member.kind == MemberKind::Method;
            text += idConstant(member.identifier, member.id);
            entries += entry(coclass.name, isMethod ? "Method" : "Property", member.name,
                QStringLiteral("%1::Member::%2").arg(info.identifier, member.identifier));
        }
        text += QStringLiteral("} // namespace Member\n");

        text += QStringLiteral("\n// dispinterface %1\nnamespace Event {\n")
                    .arg(coclass.eventInterface.name);
        for (const ModelEvent &event : info.events) {
            text += idConstant(event.identifier, event.id);
            entries += entry(coclass.name, "Event", event.name,
                QStringLiteral("%1::Event::%2").arg(info.identifier, event.identifier));
        }
        text
            += QStringLiteral("} // namespace Event\n\n} // namespace %1\n\n").arg(info.identifier);
    }

    // Never empty: the model holds at least one class.
    text += QStringLiteral(
        "enum class EntryKind { Class, Property, Method, Event, Enumeration, Constant };\n"
        "\n"
        "// One name of this header: a class or enumeration (scope and name are its own name, "
        "value\n"
        "// 0), or a member, event or value of the class or enumeration named by scope.\n"
        "struct Entry\n"
        "{\n"
        "    const char *scope;\n"
        "    EntryKind kind;\n"
        "    const char *name;\n"
        "    ::std::int32_t value;\n"
        "};\n"
        "\n"
        "inline constexpr Entry Entries[] = {\n");
    text += entries;
    text += QStringLiteral("};\n\n} // namespace %1\n").arg(model.identifier);
    return text.toUtf8();
}

} // namespace platform::typegen
