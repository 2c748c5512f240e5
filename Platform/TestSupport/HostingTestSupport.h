#pragma once

#include "../Hosting/ServerRegistration.h"

#include "../Value/RuntimeError.h"
#include "TestEnvironment.h"

#include <functional>
#include <gtest/gtest.h>

namespace platform::test {

inline const QString TestModulePath = QStringLiteral(QUILL_TEST_MODULE);
inline const QString TestProgId = QStringLiteral("TestKit.TestControl");
inline const QString TestClassId = QStringLiteral("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F02}");

// A test with its own registry and settings folder, the test module registered in it.
class WithTestModule : public testing::Test
{
protected:
    void SetUp() override { registerLibraryFile(TestModulePath); }
    IsolatedUserFolders folders;
};

// The error a call raised: its number and text; number 0 when it raised none.
struct RaisedError
{
    int32_t number = 0;
    QString text;
};

inline RaisedError errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return {e.number(), e.text()};
    }
    return {};
}

} // namespace platform::test
