#pragma once

#include "../Controls/NotificationScope.h"

#include <vector>

namespace platform::test {

// Collects the errors that reach the unhandled-error handler while it lives, instead of the
// default message on standard error.
class UnhandledErrors
{
public:
    UnhandledErrors()
    {
        setUnhandledErrorHandler([this](const RuntimeError &e) { errors.push_back(e); });
    }
    ~UnhandledErrors() { setUnhandledErrorHandler({}); }
    UnhandledErrors(const UnhandledErrors &) = delete;
    UnhandledErrors &operator=(const UnhandledErrors &) = delete;

    std::vector<int32_t> numbers() const
    {
        std::vector<int32_t> all;
        for (const RuntimeError &e : errors)
            all.push_back(e.number());
        return all;
    }

    std::vector<RuntimeError> errors;
};

} // namespace platform::test
