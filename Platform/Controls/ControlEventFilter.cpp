#include "ControlEventFilter.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {

bool isControlCode(char16_t unit)
{
    return unit < 0x20 || unit == 0x7F;
}

bool hasControlCode(const QString &text)
{
    return std::any_of(
        text.cbegin(), text.cend(), [](QChar unit) { return isControlCode(unit.unicode()); });
}

// Whether the line edit takes this text from a key event by itself.
bool toolkitInsertsText(const QString &text)
{
    const QChar first = text.at(0);
    if (first.isHighSurrogate())
        return text.size() > 1 && text.at(1).isLowSurrogate();
    return first.isPrint() || first.category() == QChar::Other_Format
        || first.category() == QChar::Other_PrivateUse;
}

bool isFocusMoveInsideApplication(const QFocusEvent *event)
{
    return event->reason() != Qt::PopupFocusReason
        && event->reason() != Qt::ActiveWindowFocusReason;
}

} // namespace

ControlEventFilter::ControlEventFilter(QObject *parent) : QObject(parent) { }

void ControlEventFilter::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

int16_t ControlEventFilter::keyCodeOf(const QKeyEvent &event)
{
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<int16_t>(112 + key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

bool ControlEventFilter::typesPlainly(Qt::KeyboardModifiers modifiers)
{
    return modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier
        || modifiers == Qt::KeypadModifier;
}

int16_t ControlEventFilter::shiftStateOf(Qt::KeyboardModifiers modifiers)
{
    int16_t shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= 1;
    if (modifiers & Qt::ControlModifier)
        shift |= 2;
    if (modifiers & Qt::AltModifier)
        shift |= 4;
    return shift;
}

QString ControlEventFilter::characterCodes(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    switch (event.key()) {
    case Qt::Key_Backspace:
        return QString(QChar(0x08));
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QString(QChar(0x0D));
    case Qt::Key_Escape:
        return QString(QChar(0x1B));
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    const bool alt = modifiers & Qt::AltModifier;
    const bool control = modifiers & Qt::ControlModifier;
    // Alt combinations are accelerators; Ctrl+Alt is AltGr on some systems and types text.
    if (alt && !control)
        return {};
    if (control && !alt) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return QString(QChar(char16_t(event.key() - Qt::Key_A + 1)));
        return {};
    }
    const QString text = event.text();
    return hasControlCode(text) ? QString() : text;
}

bool ControlEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    // A handler may destroy the widget, or the whole control with this filter: the event must
    // then go no further.
    const QPointer<QObject> target(watched);
    const QPointer<ControlEventFilter> self(this);
    const auto gone = [&] { return !target || !self; };

    if (preview) {
        const auto handler = preview;
        if (handler(watched, event) || gone())
            return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!m_resending)
            return filterKeyPress(watched, static_cast<QKeyEvent *>(event));
        break;
    case QEvent::FocusIn:
        if (!m_focusReported
            && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
            m_focusReported = true;
            if (gotFocus) {
                const auto handler = gotFocus;
                handler();
                return gone();
            }
        }
        break;
    case QEvent::FocusOut:
        if (m_focusReported && isFocusMoveInsideApplication(static_cast<QFocusEvent *>(event))) {
            m_focusReported = false;
            if (lostFocus) {
                const auto handler = lostFocus;
                handler();
                return gone();
            }
        }
        break;
    case QEvent::MouseButtonPress:
        if (mousePress) {
            const auto handler = mousePress;
            const bool keep
                = handler(static_cast<QWidget *>(watched), static_cast<QMouseEvent *>(event));
            return keep || gone();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (mouseRelease) {
            const auto handler = mouseRelease;
            const bool keep
                = handler(static_cast<QWidget *>(watched), static_cast<QMouseEvent *>(event));
            return keep || gone();
        }
        break;
    default:
        break;
    }
    return false;
}

bool ControlEventFilter::filterKeyPress(QObject *watched, QKeyEvent *event)
{
    if (keyDown) {
        int16_t keyCode = keyCodeOf(*event);
        if (keyCode != 0) {
            const QPointer<ControlEventFilter> self(this);
            const QPointer<QObject> target(watched);
            const auto handler = keyDown;
            handler(keyCode, shiftStateOf(event->modifiers()));
            if (!self || !target || keyCode == 0)
                return true;
        }
    }
    const QString codes = characterCodes(*event);
    if (codes.isEmpty())
        return false;

    // The handler may destroy the control, and this filter with it.
    const QPointer<ControlEventFilter> self(this);
    const QPointer<QObject> target(watched);
    QString result;
    bool changed = false;
    for (const QChar unit : codes) {
        int16_t keyAscii = static_cast<int16_t>(unit.unicode());
        if (keyPress) {
            const auto handler = keyPress;
            handler(keyAscii);
            if (!self || !target)
                return true;
        }
        const char16_t code = static_cast<char16_t>(static_cast<uint16_t>(keyAscii));
        changed = changed || code != unit.unicode();
        if (code == 0 || (consumeEnter && code == 0x0D))
            continue;
        result.append(QChar(code));
    }
    if (result.isEmpty() || consumeCharacters)
        return true;
    if (!changed && result == codes && !insertsTypedText(*event, result)) {
        if (!textTarget || isControlCode(result.at(0).unicode()) || toolkitInsertsText(result))
            return false;
    }
    deliver(watched, *event, result);
    return true;
}

bool ControlEventFilter::insertsTypedText(const QKeyEvent &event, const QString &text) const
{
    // The line edit's own key handling tries each of its key bindings on every key before it
    // inserts the text, which costs more than the rest of a keystroke's editing. Inserting it here
    // makes the same edit, with the same signals and the same undo step; the cursor starts
    // blinking afresh at the key's release, as it does anyway. A read-only line edit passes the
    // key on to its parent, so it keeps the key.
    return textTarget && !textTarget->isReadOnly() && typesPlainly(event.modifiers())
        && !hasControlCode(text) && toolkitInsertsText(text);
}

void ControlEventFilter::deliver(QObject *watched, const QKeyEvent &original, const QString &text)
{
    const bool plainText = !hasControlCode(text);
    if (plainText && textTarget
        && (!toolkitInsertsText(text) || insertsTypedText(original, text))) {
        if (!textTarget->isReadOnly())
            textTarget->insert(text);
        return;
    }

    const QPointer<ControlEventFilter> self(this);
    for (qsizetype i = 0; i < text.size();) {
        // One event per control code, one for each run of plain text.
        const char16_t code = text.at(i).unicode();
        int key = Qt::Key_unknown;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        QString eventText;
        if (isControlCode(code)) {
            eventText = text.mid(i, 1);
            ++i;
            switch (code) {
            case 0x08:
                key = Qt::Key_Backspace;
                break;
            case 0x09:
                key = Qt::Key_Tab;
                break;
            case 0x0D:
                key = Qt::Key_Return;
                break;
            case 0x1B:
                key = Qt::Key_Escape;
                break;
            default:
                if (code >= 1 && code <= 26) {
                    key = Qt::Key_A + code - 1;
                    modifiers = Qt::ControlModifier;
                }
                break;
            }
        } else {
            qsizetype end = i;
            while (end < text.size() && !isControlCode(text.at(end).unicode()))
                ++end;
            eventText = text.mid(i, end - i);
            i = end;
            const QChar first = eventText.at(0).toUpper();
            if (eventText.size() == 1 && first.unicode() < 0x80 && first.isLetterOrNumber())
                key = first.unicode();
        }
        QKeyEvent replacement(QEvent::KeyPress, key, modifiers, eventText, original.isAutoRepeat(),
            static_cast<ushort>(eventText.size()));
        m_resending = true;
        QCoreApplication::sendEvent(watched, &replacement);
        if (!self)
            return;
        m_resending = false;
    }
}

} // namespace platform
