#include "RuntimeError.h"

namespace platform {

RuntimeError::RuntimeError(ErrorNumber number, const QString &detail)
    : RuntimeError(static_cast<int32_t>(number),
        detail.isEmpty() ? errorText(static_cast<int32_t>(number))
                         : errorText(static_cast<int32_t>(number)) + QStringLiteral(": ") + detail)
{ }

RuntimeError::RuntimeError(int32_t number, const QString &text)
    : m_number(number), m_text(text),
      m_what(QStringLiteral("Run-time error %1: %2").arg(number).arg(text).toStdString())
{ }

RuntimeError::~RuntimeError() = default;

} // namespace platform
