#pragma once

#include "../QuillPlatformExport.h"

#include "Errors.h"

#include <QString>
#include <exception>
#include <string>

namespace platform {

/// Every failure of the platform and of the controls is thrown as one of these. The type's
/// vtable and type information live in the platform library only (the destructor is its key
/// function), so an error thrown inside a library loaded at run time is caught by its host.
class QUILL_PLATFORM_EXPORT RuntimeError : public std::exception
{
public:
    /// The catalogue text of the number, followed by ": detail" when a detail is given.
    explicit RuntimeError(ErrorNumber number, const QString &detail = {});
    /// A number and text passed on as received (an error relayed from elsewhere).
    RuntimeError(int32_t number, const QString &text);
    ~RuntimeError() override;

    /// The error number, as the catalogue gives it.
    int32_t number() const { return m_number; }
    /// The message without its number: the catalogue text and any detail, or the text passed on.
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    int32_t m_number;
    QString m_text;
    std::string m_what;
};

} // namespace platform
