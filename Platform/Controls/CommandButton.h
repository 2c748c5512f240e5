#pragma once

#include "../QuillPlatformExport.h"

#include "StandardControl.h"

#include <QPointer>
#include <functional>

class QPushButton;

namespace platform {

/// The command button, on a QPushButton. `onClick` reports a press by mouse or keyboard. In the
/// graphical style the button shows its Picture, at the picture's own size, beside any caption.
class QUILL_PLATFORM_EXPORT CommandButton : public DispatchFromTable<CommandButton, StandardControl>
{
public:
    enum StyleValue : int16_t { Standard = 0, Graphical = 1 };

    CommandButton(QWidget *parent, const QString &name);

    /// The members late-bound callers reach, with their ids and types.
    static const MemberTable<CommandButton> &memberTable();

    ///@{
    /// An ampersand marks the access key, as in the toolkit.
    QString Caption() const;
    void setCaption(const QString &caption);
    ///@}
    int16_t Style() const { return m_style; }
    void setStyle(int16_t style);
    ///@{
    /// The picture object itself, not a copy; nullptr for none.
    StdPicturePtr Picture() const { return m_picture; }
    void setPicture(StdPicturePtr picture);
    ///@}

    QPushButton *pushButton() const;

    std::function<void()> onClick;

private:
    void applyPicture();

    QPointer<QPushButton> m_button;
    int16_t m_style = Standard;
    StdPicturePtr m_picture;
};

} // namespace platform
