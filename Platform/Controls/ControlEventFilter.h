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

// Turns the toolkit's key and focus events of a control's widgets into the control's
// notifications, synchronously, before the widget sees them:
// - a key that produces characters is offered to `keyPress` one UTF-16 code unit at a time
//   (Backspace 8, Enter 13, Escape 27, Ctrl+letter 1..26); a code set to 0 swallows it and a
//   code changed to another makes that character arrive instead;
// - focus reports pair up: one `gotFocus`, then one `lostFocus`, however many of the watched
//   widgets pass the focus around inside the control; a popup or another application taking
//   the focus for a while is not a loss.
// Mouse events of watched widgets go to `mousePress` and `mouseRelease`, which return true to
// keep an event from the widget.
class QUILL_PLATFORM_EXPORT ControlEventFilter : public QObject
{
public:
    explicit ControlEventFilter(QObject *parent);

    void watch(QWidget *widget);

    std::function<void(int16_t &keyAscii)> keyPress;
    std::function<void()> gotFocus;
    std::function<void()> lostFocus;
    std::function<bool(QWidget *target, QMouseEvent *event)> mousePress;
    std::function<bool(QWidget *target, QMouseEvent *event)> mouseRelease;
    // Sees every event of a watched widget first; true keeps it from the widget.
    std::function<bool(QObject *watched, QEvent *event)> preview;

    // Enter goes to `keyPress` and never further.
    bool consumeEnter = false;
    // Characters go to `keyPress` and never further (a list has no use for typed text).
    bool consumeCharacters = false;
    // The edit field that receives typed text; characters the toolkit would drop from a key
    // event (an unpaired surrogate) are inserted into it directly.
    QPointer<QLineEdit> textTarget;

    // The character codes a key event delivers, in order; empty for a key that delivers
    // none (arrows, function keys, Tab, Delete, Alt combinations).
    static QString characterCodes(const QKeyEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterKeyPress(QObject *watched, QKeyEvent *event);
    void deliver(QObject *watched, const QKeyEvent &original, const QString &text);

    bool m_resending = false;
    bool m_focusReported = false;
};

} // namespace platform
