#pragma once

#include "../QuillPlatformExport.h"

#include "../Value/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

/// The id by which a member (property, method or event) is called.
using DispId = int32_t;
/// The arguments of a call, in the order the member declares them.
using Args = std::vector<Variant>;

/// How a member is invoked. A property put passes its value as the last argument, after any
/// index arguments.
enum class InvokeKind : int16_t {
    Method = 1,
    PropertyGet = 2,
    PropertyLet = 4,
    PropertySetRef = 8,
};

/// Member ids fixed by the component model for standard properties.
namespace StandardDispId {
constexpr DispId Font = -512;
constexpr DispId Value = 0;
} // namespace StandardDispId

/// An object callable by member id, and by name for late-bound callers. Every failure is a
/// RuntimeError; an unknown member or a kind the member lacks raises 438.
class QUILL_PLATFORM_EXPORT Dispatch : public std::enable_shared_from_this<Dispatch>
{
public:
    virtual ~Dispatch();

    /// Calls the member `id` as `kind`: a method with its arguments, a property get with its index
    /// arguments, a property put with the value last. Returns the method's or the property's value
    /// (Empty for none).
    virtual Variant invoke(DispId id, InvokeKind kind, const Args &args) = 0;
    /// The id of a member by name, compared case-insensitively; 438 when there is none.
    virtual DispId idOfName(const QString &name) const = 0;
    /// The class name late-bound callers see (TypeName of an object reference).
    virtual QString className() const = 0;

    ///@{
    /// Late-bound conveniences over invoke().
    Variant get(const QString &name, const Args &indexArgs = {});
    void let(const QString &name, const Variant &value);
    void let(const QString &name, const Args &indexArgs, const Variant &value);
    void setRef(const QString &name, const DispatchPtr &object);
    Variant call(const QString &name, const Args &args = {});
    ///@}
};

} // namespace platform
