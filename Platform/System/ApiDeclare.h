#pragma once

#include "ApiTable.h"

namespace platform {

template<class Sig>
class ApiDeclare;

/// A declaration of an operating-system function, callable like the function. It binds on its
/// first call, not when it is made, so a missing function fails only the code that calls it
/// (with Can't find DLL entry point); it binds again whenever the table has changed since.
template<class R, class... A>
class ApiDeclare<R(A...)>
{
public:
    using Pointer = R (*)(A...);

    ApiDeclare(QString library, QString name)
        : m_library(std::move(library)), m_name(std::move(name))
    { }

    R operator()(A... args) const { return bind()(args...); }

    // The bound function, binding it first when needed.
    Pointer bind() const
    {
        const uint64_t generation = ApiTable::generation();
        if (!m_function || m_generation != generation) {
            m_function = nullptr;
            m_function
                = reinterpret_cast<Pointer>(ApiTable::resolve(m_library, m_name, typeid(R(A...))));
            m_generation = generation;
        }
        return m_function;
    }
    // True when bound and the table has not changed since.
    bool isBound() const { return m_function && m_generation == ApiTable::generation(); }

    const QString &library() const { return m_library; }
    const QString &name() const { return m_name; }

private:
    QString m_library;
    QString m_name;
    mutable Pointer m_function = nullptr;
    mutable uint64_t m_generation = 0;
};

} // namespace platform
