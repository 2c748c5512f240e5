#include "Dispatch.h"

namespace platform {

Dispatch::~Dispatch() = default;

Variant Dispatch::get(const QString &name, const Args &indexArgs)
{
    return invoke(idOfName(name), InvokeKind::PropertyGet, indexArgs);
}

void Dispatch::let(const QString &name, const Variant &value)
{
    invoke(idOfName(name), InvokeKind::PropertyLet, {value});
}

void Dispatch::let(const QString &name, const Args &indexArgs, const Variant &value)
{
    Args args = indexArgs;
    args.push_back(value);
    invoke(idOfName(name), InvokeKind::PropertyLet, args);
}

void Dispatch::setRef(const QString &name, const DispatchPtr &object)
{
    invoke(idOfName(name), InvokeKind::PropertySetRef, {Variant(object)});
}

Variant Dispatch::call(const QString &name, const Args &args)
{
    return invoke(idOfName(name), InvokeKind::Method, args);
}

} // namespace platform
