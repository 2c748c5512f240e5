#pragma once

#include "ControlMemberIds.h"

#include "../Objects/MemberTable.h"
#include "../Value/Conversions.h"

#include <optional>
#include <vector>

namespace platform {

/// The members of a control that holds a list (a combo box, a list box), for the member table of
/// class T: AddItem, RemoveItem, Clear, List, ListCount, ListIndex, ItemData and NewIndex.
template<class T>
std::vector<Member<T>> listMembers()
{
    using M = Members<T>;
    namespace Id = ControlDispId;
    const QString text = QStringLiteral("BSTR");
    const QString number = QStringLiteral("long");
    const QString index = QStringLiteral("short");
    const std::vector<ParamInfo> indexParam {{QStringLiteral("Index"), index, false, true}};
    return {
        M::method(QStringLiteral("AddItem"), Id::AddItem,
            {{QStringLiteral("Item"), text, false, false},
                {QStringLiteral("Index"), QStringLiteral("VARIANT"), true, false}},
            QStringLiteral("void"),
            [](T &c, const Args &args) {
                std::optional<int16_t> at;
                if (!args[1].isMissing())
                    at = toInteger(args[1]);
                c.AddItem(toText(args[0]), at);
                return Variant();
            }),
        M::method(QStringLiteral("RemoveItem"), Id::RemoveItem, indexParam, QStringLiteral("void"),
            [](T &c, const Args &args) {
                c.RemoveItem(toInteger(args[0]));
                return Variant();
            }),
        M::method(QStringLiteral("Clear"), Id::Clear, [](T &c) { c.Clear(); }),
        M::get(QStringLiteral("List"), Id::List, text, indexParam,
            [](T &c, const Args &args) { return Variant(c.List(toInteger(args[0]))); }),
        M::let(QStringLiteral("List"), Id::List, text, indexParam,
            [](T &c, const Args &args, const Variant &v) {
                c.setList(toInteger(args[0]), toText(v));
            }),
        M::get(QStringLiteral("ListCount"), Id::ListCount, index,
            [](T &c) { return Variant(c.ListCount()); }),
        M::get(QStringLiteral("ListIndex"), Id::ListIndex, index,
            [](T &c) { return Variant(c.ListIndex()); }),
        M::let(QStringLiteral("ListIndex"), Id::ListIndex, index,
            [](T &c, const Variant &v) { c.setListIndex(toInteger(v)); }),
        M::get(QStringLiteral("ItemData"), Id::ItemData, number, indexParam,
            [](T &c, const Args &args) { return Variant(c.ItemData(toInteger(args[0]))); }),
        M::let(QStringLiteral("ItemData"), Id::ItemData, number, indexParam,
            [](T &c, const Args &args, const Variant &v) {
                c.setItemData(toInteger(args[0]), toLong(v));
            }),
        M::get(QStringLiteral("NewIndex"), Id::NewIndex, index,
            [](T &c) { return Variant(c.NewIndex()); }),
    };
}

} // namespace platform
