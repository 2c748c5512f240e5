#pragma once

#include "../QuillPlatformExport.h"

#include "Currency.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace platform {

class Dispatch;
/// A reference to an object callable by member id; null for Nothing.
using DispatchPtr = std::shared_ptr<Dispatch>;

/// The kinds a tagged value can hold; the numbers are the runtime's type codes.
enum class VariantKind : int16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Byte = 17,
    Array = 8192,
};

/// The tagged value that crosses every interface between hosts and controls. Empty (never
/// assigned) and the empty string are different kinds; a Boolean is 16 bits with true = -1.
class QUILL_PLATFORM_EXPORT Variant
{
public:
    /// The error code that marks an omitted optional argument.
    static constexpr int32_t MissingArgumentCode = static_cast<int32_t>(0x80020004u);

    ///@{
    /// Empty, then a value of the kind its C++ type maps to (a bool is a Boolean, a text a String,
    /// an object reference an Object, a vector an Array).
    Variant() = default;
    Variant(int16_t value) : m_kind(VariantKind::Integer), m_value(value) { }
    Variant(int32_t value) : m_kind(VariantKind::Long), m_value(value) { }
    Variant(float value) : m_kind(VariantKind::Single), m_value(value) { }
    Variant(double value) : m_kind(VariantKind::Double), m_value(value) { }
    Variant(Currency value) : m_kind(VariantKind::Currency), m_value(value) { }
    Variant(bool value) : m_kind(VariantKind::Boolean), m_value(int16_t(value ? -1 : 0)) { }
    Variant(uint8_t value) : m_kind(VariantKind::Byte), m_value(value) { }
    Variant(const QString &value) : m_kind(VariantKind::String), m_value(value) { }
    Variant(const char16_t *value) : Variant(QString::fromUtf16(value)) { }
    Variant(const char *value) : Variant(QString::fromUtf8(value)) { }
    Variant(DispatchPtr object) : m_kind(VariantKind::Object), m_value(std::move(object)) { }
    Variant(std::vector<Variant> elements)
        : m_kind(VariantKind::Array),
          m_value(std::make_shared<std::vector<Variant>>(std::move(elements)))
    { }
    ///@}

    ///@{
    /// The values no C++ type maps to: Null, an object reference to nothing, a date (the runtime's
    /// day number), an error code, and the marker of an omitted argument.
    static Variant null();
    static Variant nothing() { return Variant(DispatchPtr()); }
    static Variant date(double oleDate);
    static Variant error(int32_t code);
    static Variant missing() { return error(MissingArgumentCode); }
    ///@}

    /// What the value holds.
    VariantKind kind() const { return m_kind; }
    ///@{
    /// Tests of the kind (and, for missing, of the error code).
    bool isEmpty() const { return m_kind == VariantKind::Empty; }
    bool isNull() const { return m_kind == VariantKind::Null; }
    bool isMissing() const
    {
        return m_kind == VariantKind::Error && std::get<int32_t>(m_value) == MissingArgumentCode;
    }
    ///@}
    /// An object reference that refers to nothing.
    bool isNothing() const { return m_kind == VariantKind::Object && !object(); }

    ///@{
    /// Raw access to the stored value; each requires the matching kind (Boolean reads as
    /// integer, Date as double, Error as long).
    int16_t integerValue() const { return std::get<int16_t>(m_value); }
    int32_t longValue() const { return std::get<int32_t>(m_value); }
    float singleValue() const { return std::get<float>(m_value); }
    double doubleValue() const { return std::get<double>(m_value); }
    Currency currencyValue() const { return std::get<Currency>(m_value); }
    bool booleanValue() const { return std::get<int16_t>(m_value) != 0; }
    uint8_t byteValue() const { return std::get<uint8_t>(m_value); }
    const QString &stringValue() const { return std::get<QString>(m_value); }
    const DispatchPtr &object() const { return std::get<DispatchPtr>(m_value); }
    const std::vector<Variant> &elements() const;
    ///@}

    /// The runtime's type name: "Empty", "Null", "Integer", ..., "Nothing" for an object
    /// reference that refers to nothing, "Object" for a live one, "Variant()" for an array.
    QString typeName() const;

    /// Same kind and same value (objects by identity, arrays element by element).
    bool operator==(const Variant &other) const;

private:
    using Storage = std::variant<std::monostate, int16_t, int32_t, float, double, Currency, uint8_t,
        QString, DispatchPtr, std::shared_ptr<const std::vector<Variant>>>;

    VariantKind m_kind = VariantKind::Empty;
    Storage m_value;
};

/// Readable form for test failures and diagnostics: kind and value.
QUILL_PLATFORM_EXPORT QString describe(const Variant &value);

} // namespace platform
