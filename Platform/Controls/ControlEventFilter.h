#pragma once

#include "../QuillPlatformExport.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QWidget;

namespace platform {

/// Turns the toolkit's key and focus events of a control's widgets into the control's
/// notifications, synchronously, before the widget sees them:
/// - a key that produces characters is offered to `keyPress` one UTF-16 code unit at a time
///   (Backspace 8, Enter 13, Escape 27, Ctrl+letter 1..26); a code set to 0 swallows it and a
///   code changed to another makes that character arrive instead;
/// - focus reports pair up: one `gotFocus`, then one `lostFocus`, however many of the watched
///   widgets pass the focus around inside the control; a popup or another application taking
///   the focus for a while is not a loss.
/// - a key press that has a key code (see keyCodeOf) goes to `keyDown` first, with the shift
///   state; a code set to 0 swallows the whole key, characters and all.
/// Mouse events of watched widgets go to `mousePress` and `mouseRelease`, which return true to
/// keep an event from the widget.
class QUILL_PLATFORM_EXPORT ControlEventFilter : public QObject
{
public:
    explicit ControlEventFilter(QObject *parent);

    void watch(QWidget *widget);

    std::function<void(int16_t &keyAscii)> keyPress;
    std::function<void(int16_t &keyCode, int16_t shift)> keyDown;
    std::function<void()> gotFocus;
    std::function<void()> lostFocus;
    std::function<bool(QWidget *target, QMouseEvent *event)> mousePress;
    std::function<bool(QWidget *target, QMouseEvent *event)> mouseRelease;
    /// Sees every event of a watched widget first; true keeps it from the widget.
    std::function<bool(QObject *watched, QEvent *event)> preview;

    /// Enter goes to `keyPress` and never further.
    bool consumeEnter = false;
    /// Characters go to `keyPress` and never further (a list has no use for typed text).
    bool consumeCharacters = false;
    /// The edit field that receives typed text; characters the toolkit would drop from a key
    /// event (an unpaired surrogate) are inserted into it directly.
    QPointer<QLineEdit> textTarget;

    /// The character codes a key event delivers, in order; empty for a key that delivers
    /// none (arrows, function keys, Tab, Delete, Alt combinations).
    static QString characterCodes(const QKeyEvent &event);
    /// The key code of a key event: letters 65..90 and digits 48..57 as on the keyboard's
    /// face, Backspace 8, Tab 9, Enter 13, Escape 27, Space 32, Page Up 33, Page Down 34, End 35,
    /// Home 36, the arrows 37..40 (left, up, right, down), Insert 45, Delete 46, F1..F12
    /// 112..123; 0 for any other key.
    static int16_t keyCodeOf(const QKeyEvent &event);
    /// Whether a key with these modifiers is plain typing to a line edit: no modifier, Shift or
    /// the keypad alone. The toolkit binds no standard key sequence to a printable key so
    /// pressed, and its line edit claims such a key from the window's shortcuts.
    static bool typesPlainly(Qt::KeyboardModifiers modifiers);
    /// The shift state of a key or mouse event: Shift 1, Ctrl 2, Alt 4, added together.
    static int16_t shiftStateOf(Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterKeyPress(QObject *watched, QKeyEvent *event);
    /// Whether the typed text goes into `textTarget` here rather than through the line edit's
    /// own key handling.
    bool insertsTypedText(const QKeyEvent &event, const QString &text) const;
    void deliver(QObject *watched, const QKeyEvent &original, const QString &text);

    bool m_resending = false;
    bool m_focusReported = false;
};

} // namespace platform
