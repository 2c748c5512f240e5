#pragma once

#include "../Objects/TypeInfo.h"

#include <compare>
#include <set>
#include <string>
#include <vector>

namespace platform::test {

// One name of an ids header written by quill-typegen, in a form both the header's Entries table
// and a type library can give, so that the two are compared entry for entry.
struct IdRow
{
    std::string scope;
    std::string kind;
    std::string name;
    int32_t value = 0;

    auto operator<=>(const IdRow &) const = default;
};

// What the ids header of `library` must list, read from the type library on its own terms:
// every enumeration with its values, and every creatable class with each property and method
// of its default interface (a property's get and put are one name) and each event.
inline std::set<IdRow> idRowsOf(const LibraryInfo &library)
{
    std::set<IdRow> rows;
    for (const EnumInfo &info : library.enums) {
        const std::string scope = info.name.toStdString();
        rows.insert({scope, "Enumeration", scope, 0});
        for (const EnumInfo::Constant &constant : info.constants)
            rows.insert({scope, "Constant", constant.name.toStdString(), constant.value});
    }
    for (const ClassInfo &info : library.classes) {
        if (!info.create)
            continue;
        const std::string scope = info.name.toStdString();
        rows.insert({scope, "Class", scope, 0});
        for (const MemberInfo &member : info.defaultInterface.members) {
            rows.insert({scope, member.kind == InvokeKind::Method ? "Method" : "Property",
                member.name.toStdString(), member.id});
        }
        for (const MemberInfo &event : info.eventInterface.members)
            rows.insert({scope, "Event", event.name.toStdString(), event.id});
    }
    return rows;
}

// The rows of a generated header's Entries table.
template<class Entries>
std::set<IdRow> idRowsOf(const Entries &entries)
{
    std::set<IdRow> rows;
    for (const auto &entry : entries) {
        using Kind = decltype(entry.kind);
        std::string kind;
        switch (entry.kind) {
        case Kind::Class:
            kind = "Class";
            break;
        case Kind::Property:
            kind = "Property";
            break;
        case Kind::Method:
            kind = "Method";
            break;
        case Kind::Event:
            kind = "Event";
            break;
        case Kind::Enumeration:
            kind = "Enumeration";
            break;
        case Kind::Constant:
            kind = "Constant";
            break;
        }
        rows.insert({entry.scope, kind, entry.name, entry.value});
    }
    return rows;
}

// Each row one side has and the other lacks, as readable lines; empty when they agree.
inline std::vector<std::string> idRowDifferences(
    const std::set<IdRow> &header, const std::set<IdRow> &typeLibrary)
{
    std::vector<std::string> differences;
    const auto describe = [](const char *what, const IdRow &row) {
        return std::string(what) + row.scope + " " + row.kind + " " + row.name + " = "
            + std::to_string(row.value);
    };
    for (const IdRow &row : typeLibrary) {
        if (!header.count(row))
            differences.push_back(describe("missing from the header: ", row));
    }
    for (const IdRow &row : header) {
        if (!typeLibrary.count(row))
            differences.push_back(describe("not in the type library: ", row));
    }
    return differences;
}

} // namespace platform::test
