#pragma once

#include <Hosting/ComponentHost.h>
#include <Hosting/HostForm.h>
#include <Hosting/ServerRegistration.h>
#include <TestSupport/TestEnvironment.h>
#include <Value/RuntimeError.h>

#include <QTest>
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

// Types text into a widget one character at a time, as a keyboard does, including characters
// beyond Latin-1 and beyond the basic plane, which QTest::keyClicks cannot send.
inline void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(
            QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

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
