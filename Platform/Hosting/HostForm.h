#pragma once

#include "../QuillPlatformExport.h"

#include "ComponentHost.h"
#include "ControlSite.h"
#include "FormFile.h"

#include <QPointer>
#include <QRectF>
#include <QWidget>
#include <memory>
#include <vector>

namespace platform {

class StdFont;
class FormDispatch;

/// A top-level form of a host program: a window with a caption, a client area measured in twips,
/// a font its controls see as their container's, and the controls placed on it.
class QUILL_PLATFORM_EXPORT HostForm
{
public:
    /// An empty form whose controls come from `host`; `name` is the form's name in saved forms.
    HostForm(ComponentHost &host, const QString &name);
    ~HostForm();
    HostForm(const HostForm &) = delete;
    HostForm &operator=(const HostForm &) = delete;

    /// The host the form's controls are created by.
    ComponentHost &host() const { return m_host; }
    /// The form's name.
    const QString &name() const { return m_name; }
    /// The form's window; its client area is the widget itself.
    QWidget *window() const { return m_window; }

    /// Places a control created by class id or ProgID at `twips` (left, top, width, height; a
    /// control invisible at run time may be given no size). Runs UserControl_Initialize, then
    /// UserControl_ReadProperties when saved state is given, then sizes the control (Resize).
    /// An error in any step reaches the caller; the site stays on the form with what ran before.
    ControlSite &addControl(const QString &classIdOrProgId, const QString &name,
        const QRectF &twips, const PropertyBag *saved = nullptr);
    /// The site of a control from a library by its name, in any case; nullptr for none.
    ControlSite *site(const QString &name) const;
    /// The sites of the controls from libraries, in the order they were placed.
    const std::vector<std::unique_ptr<ControlSite>> &sites() const { return m_sites; }

    /// Places a standard control (CommandButton, Timer, TextBox, ...) as saved: its position and
    /// size, then each saved key set by name (objects such as fonts by reference). Raises 429
    /// for an unknown kind; an error setting a key names the key.
    DispatchPtr addStandardControl(const SavedControl &saved);
    /// A standard control by its name, in any case; nullptr for none.
    DispatchPtr standardControl(const QString &name) const;

    /// Builds a form and its controls from a saved form; the form's own keys are Caption,
    /// ClientWidth, ClientHeight, Font and ForeColor.
    static std::unique_ptr<HostForm> load(ComponentHost &host, const SavedForm &saved);
    /// The form as a saved form: its own keys, each control from a library with its current
    /// position, size and saved state, each standard control as it was placed.
    SavedForm save();

    ///@{
    /// Run mode (true, the default) or the designer (false): what the controls' Ambient.UserMode
    /// reports.
    bool userMode() const { return m_userMode; }
    void setUserMode(bool userMode) { m_userMode = userMode; }
    ///@}

    ///@{
    /// The window title.
    QString Caption() const;
    void setCaption(const QString &caption);
    ///@}
    ///@{
    /// The client area's size in twips.
    double ClientWidth() const;
    double ClientHeight() const;
    void setClientSize(double widthTwips, double heightTwips);
    ///@}
    ///@{
    /// Outer size, frame and caption included, in twips.
    double Width() const;
    double Height() const;
    ///@}
    ///@{
    /// The font the controls see as their container's (Ambient.Font).
    std::shared_ptr<StdFont> Font() const { return m_font; }
    void setFont(std::shared_ptr<StdFont> font);
    ///@}
    ///@{
    /// The text colour the controls see as their container's, an OLE colour.
    uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(uint32_t color) { m_foreColor = color; }
    ///@}
    /// The form's unit: always twips (1).
    int16_t ScaleMode() const { return 1; } // twips
    ///@{
    /// A length converted between unit codes (see scaleLength).
    double ScaleX(double value, int16_t fromUnit, int16_t toUnit) const;
    double ScaleY(double value, int16_t fromUnit, int16_t toUnit) const;
    ///@}
    /// The window's handle for the window-system calls.
    int32_t hWnd() const { return m_hwnd; }
    /// Gives the window the focus.
    void SetFocus();
    /// Shows the window.
    void Show();

    /// The late-bound view of the form: what its controls get as their Parent.
    DispatchPtr dispatch() const;

private:
    ComponentHost &m_host;
    QString m_name;
    QPointer<QWidget> m_window;
    std::shared_ptr<StdFont> m_font;
    uint32_t m_foreColor = 0x80000012u; // button text, as forms have
    bool m_userMode = true;
    int32_t m_hwnd = 0;
    std::vector<std::unique_ptr<ControlSite>> m_sites;
    struct StandardEntry
    {
        SavedControl saved;
        DispatchPtr control;
    };
    std::vector<StandardEntry> m_standard;
    std::shared_ptr<FormDispatch> m_dispatch;
};

} // namespace platform
