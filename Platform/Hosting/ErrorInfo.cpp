#include "ErrorInfo.h"

namespace platform {

namespace {

thread_local std::optional<RuntimeError> lastError;

} // namespace

void setErrorInfo(const RuntimeError &error)
{
    lastError = error;
}

std::optional<RuntimeError> takeErrorInfo()
{
    std::optional<RuntimeError> error = std::move(lastError);
    lastError.reset();
    return error;
}

} // namespace platform
