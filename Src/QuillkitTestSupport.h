#pragma once

#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/HostForm.h>
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/TestSupport/TestEnvironment.h>
#include <Quillkit/Value/RuntimeError.h>

#include <functional>
#include <gtest/gtest.h>

namespace quillkit::test {

inline const QString ModulePath = QStringLiteral(QUILLKIT_MODULE);

// A test with its own registry and settings store, the freshly built Quillkit library
// registered in it, a host and a form to place controls on.
class WithQuillkit : public testing::Test
{
protected:
    WithQuillkit() { platform::registerLibraryFile(ModulePath); }

    platform::test::IsolatedUserFolders folders;
    platform::ComponentHost host;
    platform::HostForm form {host, QStringLiteral("TestForm")};
};

// The error number a call raised, 0 when it raised none.
inline int32_t errorNumberOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const platform::RuntimeError &e) {
        return e.number();
    }
    return 0;
}

} // namespace quillkit::test
