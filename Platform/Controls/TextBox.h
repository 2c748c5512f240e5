#pragma once

#include "../QuillPlatformExport.h"

#include "StandardControl.h"

#include <QPointer>
#include <functional>

class QLineEdit;

namespace platform {

/// The single-line text box, on a QLineEdit. Its text has no length limit and holds any UTF-16,
/// control characters and unpaired surrogates included. `onChange` reports every change of the
/// text, by the user or by code, inside the statement that made it; setting the text it already
/// holds reports nothing, unless the box is told to report such writes too.
class QUILL_PLATFORM_EXPORT TextBox : public DispatchFromTable<TextBox, StandardControl>
{
public:
    enum AlignmentValue : int16_t { LeftJustify = 0, RightJustify = 1, Center = 2 };

    TextBox(QWidget *parent, const QString &name);

    /// The members late-bound callers reach, with their ids and types.
    static const MemberTable<TextBox> &memberTable();

    ///@{
    /// The box's text.
    QString Text() const;
    void setText(const QString &text);
    ///@}
    ///@{
    /// Positions count UTF-16 code units from 0.
    int32_t SelStart() const;
    void setSelStart(int32_t start);
    ///@}
    int32_t SelLength() const;
    void setSelLength(int32_t length);
    QString SelText() const;
    void setSelText(const QString &text);
    int16_t Alignment() const { return m_alignment; }
    void setAlignment(int16_t alignment);
    bool Locked() const;
    void setLocked(bool locked);
    ///@{
    /// 0 is no limit. A limit bounds what the user types; like the toolkit, it also cuts a
    /// longer text, whether set by code before or after.
    int32_t MaxLength() const { return m_maxLength; }
    void setMaxLength(int32_t length);
    ///@}

    ///@{
    /// Off by default. On, setting the text the box already holds reports one change as well
    /// (the text and the caret stay as they are), so that a composite control that counts on
    /// one report per write of its own gets it.
    bool reportsSameTextWrites() const { return m_reportsSameTextWrites; }
    void setReportsSameTextWrites(bool on) { m_reportsSameTextWrites = on; }
    ///@}

    /// The edit widget, for tests and composite controls.
    QLineEdit *lineEdit() const;

    std::function<void()> onChange;
    std::function<void(int16_t &keyAscii)> onKeyPress;
    /// Every key with a key code, before its characters; a code set to 0 swallows the key.
    std::function<void(int16_t &keyCode, int16_t shift)> onKeyDown;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

private:
    QPointer<QLineEdit> m_edit;
    int16_t m_alignment = LeftJustify;
    int32_t m_maxLength = 0;
    bool m_reportsSameTextWrites = false;
};

} // namespace platform
