#pragma once

#include "../QuillPlatformExport.h"

#include "Dispatch.h"

#include "../Value/RuntimeError.h"

#include <QStringList>
#include <functional>
#include <utility>

namespace platform {

/// One parameter as the type library shows it. Types are written as the type library names them
/// ("BSTR", "long", "VARIANT", "OLE_COLOR", "IDispatch*", ...).
struct QUILL_PLATFORM_EXPORT ParamInfo
{
    QString name; ///< as the type library shows it
    QString type; ///< the type library's type name
    bool optional = false; ///< may be left out
    bool byValue = false; ///< passed by value rather than by reference
};

/// One member of an interface: for a property, `type` is the property's type and `params` its
/// index arguments; for a method, `type` is the return type ("void" for none).
struct QUILL_PLATFORM_EXPORT MemberInfo
{
    QString name; ///< as late-bound callers name it
    DispId id = 0; ///< its member id
    InvokeKind kind = InvokeKind::Method; ///< method, property get, let or set
    QString type; ///< see above
    std::vector<ParamInfo> params; ///< see above
    QStringList attributes; ///< further attributes, e.g. "category(\"Apariencia\")"
};

/// A member of class T: what the type library shows of it, and the call that serves it.
template<class T>
struct Member
{
    MemberInfo info; ///< what the type library shows
    std::function<Variant(T &, const Args &)> handler; ///< serves a call
};

/// Builders for the members of class T, so that a class's table reads like its interface.
template<class T>
struct Members
{
    using Handler = std::function<Variant(T &, const Args &)>;

    static Member<T> method(const QString &name, DispId id, std::vector<ParamInfo> params,
        const QString &returnType, Handler handler)
    {
        return {
            {name, id, InvokeKind::Method, returnType, std::move(params), {}}, std::move(handler)};
    }
    static Member<T> method(const QString &name, DispId id, std::function<void(T &)> handler)
    {
        return {{name, id, InvokeKind::Method, QStringLiteral("void"), {}, {}},
            [handler](T &self, const Args &) {
                handler(self);
                return Variant();
            }};
    }
    static Member<T> get(
        const QString &name, DispId id, const QString &type, std::function<Variant(T &)> handler)
    {
        return {{name, id, InvokeKind::PropertyGet, type, {}, {}},
            [handler](T &self, const Args &) { return handler(self); }};
    }
    static Member<T> get(const QString &name, DispId id, const QString &type,
        std::vector<ParamInfo> index, Handler handler)
    {
        return {
            {name, id, InvokeKind::PropertyGet, type, std::move(index), {}}, std::move(handler)};
    }
    static Member<T> let(const QString &name, DispId id, const QString &type,
        std::function<void(T &, const Variant &)> handler)
    {
        return {{name, id, InvokeKind::PropertyLet, type, {}, {}},
            [handler](T &self, const Args &args) {
                handler(self, args.back());
                return Variant();
            }};
    }
    // An indexed put: the handler receives the index arguments and the value.
    static Member<T> let(const QString &name, DispId id, const QString &type,
        std::vector<ParamInfo> index,
        std::function<void(T &, const Args &, const Variant &)> handler)
    {
        return {{name, id, InvokeKind::PropertyLet, type, std::move(index), {}},
            [handler](T &self, const Args &args) {
                const Args indexArgs(args.begin(), args.end() - 1);
                handler(self, indexArgs, args.back());
                return Variant();
            }};
    }
    static Member<T> setRef(const QString &name, DispId id, const QString &type,
        std::function<void(T &, const Variant &)> handler)
    {
        return {{name, id, InvokeKind::PropertySetRef, type, {}, {}},
            [handler](T &self, const Args &args) {
                handler(self, args.back());
                return Variant();
            }};
    }
    // The same member with further type-library attributes.
    static Member<T> withAttributes(Member<T> member, QStringList attributes)
    {
        member.info.attributes = std::move(attributes);
        return member;
    }
};

/// The members of class T, declared once: the dispatch and the type information both come from
/// here. Members are listed in the order of their slots in the interface.
template<class T>
class MemberTable
{
public:
    MemberTable(QString className, std::vector<Member<T>> members)
        : m_className(std::move(className)), m_members(std::move(members))
    { }

    const QString &className() const { return m_className; }
    const std::vector<Member<T>> &members() const { return m_members; }

    std::vector<MemberInfo> infos() const
    {
        std::vector<MemberInfo> result;
        result.reserve(m_members.size());
        for (const auto &member : m_members)
            result.push_back(member.info);
        return result;
    }

    Variant invoke(T &self, DispId id, InvokeKind kind, const Args &args) const
    {
        const Member<T> *member = find(id, kind);
        // Callers commonly ask a property with the method flag and the other way round.
        if (!member && kind == InvokeKind::Method)
            member = find(id, InvokeKind::PropertyGet);
        if (!member && kind == InvokeKind::PropertyGet)
            member = find(id, InvokeKind::Method);
        if (!member)
            throw RuntimeError(ErrorNumber::ObjectDoesntSupport,
                QStringLiteral("%1 member %2").arg(m_className).arg(id));

        const auto &params = member->info.params;
        const bool isPut = member->info.kind == InvokeKind::PropertyLet
            || member->info.kind == InvokeKind::PropertySetRef;
        const size_t total = params.size() + (isPut ? 1 : 0);
        size_t required = isPut ? 1 : 0;
        for (const ParamInfo &param : params)
            required += param.optional ? 0 : 1;
        if (args.size() < required || args.size() > total)
            throw RuntimeError(ErrorNumber::WrongNumberOfArguments, member->info.name);
        if (args.size() == total)
            return member->handler(self, args);
        // Omitted optional arguments arrive as the missing-argument marker.
        Args padded = args;
        const auto insertAt = isPut ? padded.end() - 1 : padded.end();
        padded.insert(insertAt, total - args.size(), Variant::missing());
        return member->handler(self, padded);
    }

    DispId idOfName(const QString &name) const
    {
        for (const auto &member : m_members) {
            if (member.info.name.compare(name, Qt::CaseInsensitive) == 0)
                return member.info.id;
        }
        throw RuntimeError(
            ErrorNumber::ObjectDoesntSupport, QStringLiteral("%1.%2").arg(m_className, name));
    }

private:
    const Member<T> *find(DispId id, InvokeKind kind) const
    {
        for (const auto &member : m_members) {
            if (member.info.id == id && member.info.kind == kind)
                return &member;
        }
        return nullptr;
    }

    QString m_className;
    std::vector<Member<T>> m_members;
};

/// Implements Dispatch for class T from T::memberTable(), on top of Base (Dispatch or a class
/// derived from it).
template<class T, class Base = Dispatch>
class DispatchFromTable : public Base
{
public:
    using Base::Base;

    Variant invoke(DispId id, InvokeKind kind, const Args &args) override
    {
        Variant result = T::memberTable().invoke(static_cast<T &>(*this), id, kind, args);
        // A control hands its results out through its surface, which keeps its library loaded
        // for every object among them.
        if constexpr (requires(const Base &base, const Variant &value) { base.handOut(value); })
            return this->handOut(result);
        else
            return result;
    }
    DispId idOfName(const QString &name) const override { return T::memberTable().idOfName(name); }
    QString className() const override { return T::memberTable().className(); }
};

} // namespace platform
