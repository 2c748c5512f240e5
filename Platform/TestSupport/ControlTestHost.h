#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <memory>

namespace platform::test {

// A shown, active top-level window for control tests: focus and key events need one. Controls
// are made with `make<T>(name)` on the window.
class ControlTestHost
{
public:
    ControlTestHost()
    {
        m_window = std::make_unique<QWidget>();
        m_window->setObjectName(QStringLiteral("testHost"));
        m_window->resize(640, 480);
    }

    QWidget *window() const { return m_window.get(); }

    // Shows the window and waits until it is the active one.
    bool activate()
    {
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        m_window->activateWindow();
        return QTest::qWaitForWindowActive(m_window.get());
    }

    // Presses and releases one key that delivers `text`; whether the press was accepted.
    static bool pressKey(
        QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(target, &release);
        return press.isAccepted();
    }

    // Types characters QTest cannot name (beyond ASCII): one key press and release per code
    // point, with no key code, as an input method delivers them.
    static void typeText(QWidget *target, const QString &text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size()
                && text.at(i + 1).isLowSurrogate();
            const qsizetype length = pair ? 2 : 1;
            pressKey(target, Qt::Key_unknown, Qt::NoModifier, text.mid(i, length));
            i += length - 1;
        }
    }

    template<class T>
    std::shared_ptr<T> make(const QString &name)
    {
        return std::make_shared<T>(m_window.get(), name);
    }

private:
    std::unique_ptr<QWidget> m_window;
};

} // namespace platform::test
