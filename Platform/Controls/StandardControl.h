#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/StdFont.h"
#include "../Objects/StdPicture.h"
#include "ControlEventFilter.h"
#include "ControlMemberIds.h"
#include "NotificationScope.h"
#include "OleColor.h"

#include "../Objects/MemberTable.h"
#include "../Value/Conversions.h"

#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <utility>

namespace platform {

/// What every visual standard control shares: one Qt widget, named after the control, placed in
/// twips (kept exactly as set; the widget gets each value / 15 rounded half to even), colours as
/// OLE colours, a StdFont of its own, focus and repaint requests.
///
/// The control owns its widget: the destructor deletes it unless its parent took it first. Once
/// the widget is gone, calls that need it raise "Object variable not set".
class QUILL_PLATFORM_EXPORT StandardControl : public Dispatch
{
public:
    ~StandardControl() override;
    StandardControl(const StandardControl &) = delete;
    StandardControl &operator=(const StandardControl &) = delete;

    /// The widget, or nullptr once its parent destroyed it.
    QWidget *widget() const { return m_widget; }

    /// The control's name on its form.
    QString Name() const { return m_name; }

    ///@{
    /// Position and size in twips, relative to the parent.
    double Left() const { return m_left; }
    void setLeft(double twips);
    double Top() const { return m_top; }
    void setTop(double twips);
    double Width() const { return m_width; }
    void setWidth(double twips);
    double Height() const;
    void setHeight(double twips);
    ///@}

    ///@{
    /// Whether the control shows, and whether it takes the user's input.
    bool Visible() const;
    void setVisible(bool visible);
    bool Enabled() const;
    void setEnabled(bool enabled);
    ///@}
    ///@{
    /// The control's place in its parent's tab order (see TabOrder).
    int16_t TabIndex() const { return m_tabIndex; }
    void setTabIndex(int16_t index);
    ///@}

    ///@{
    /// Background and text colours, as OLE colours (see OleColor).
    uint32_t BackColor() const { return m_backColor; }
    void setBackColor(uint32_t oleColor);
    uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(uint32_t oleColor);
    ///@}

    /// The control's own font object: changing its attributes changes the control.
    StdFontPtr Font() const { return m_font; }
    /// Takes the attributes the given font has now; later changes of that object do not follow.
    void setFont(const StdFont &font);
    /// The same; nothing raises Object variable not set.
    void setFont(const StdFontPtr &font);

    /// Asks for the keyboard focus. Never fails: an inactive window gives the focus to the
    /// control when it is activated.
    void SetFocus();
    /// Repaints now.
    void Refresh();
    /// Whether the keyboard focus is on the control's widget or inside it.
    bool hasFocus() const;

    ///@{
    /// What assistive technology says of the control: its name, and a description that is
    /// announced whenever it changes (a count of results, say).
    QString accessibleName() const;
    void setAccessibleName(const QString &name);
    QString accessibleDescription() const;
    void setAccessibleDescription(const QString &description);
    ///@}
    ///@{
    /// The text shown while the pointer rests on the control.
    QString ToolTipText() const;
    void setToolTipText(const QString &text);
    ///@}

protected:
    StandardControl();

    /// Takes ownership of the widget, names it and applies the control's initial state.
    void attach(QWidget *widget, const QString &name, uint32_t backColor, uint32_t foreColor,
        QPalette::ColorRole backRole = QPalette::Base,
        QPalette::ColorRole foreRole = QPalette::Text);

    /// The widget for a call that needs it; raises Object variable not set when it is gone.
    QWidget *liveWidget() const;
    template<class W>
    W *live(const QPointer<W> &pointer) const
    {
        liveWidget();
        return pointer.data();
    }

    /// Key, focus and mouse translation for the control's widgets; also the context of every
    /// connection the control makes, so that none outlives the control.
    ControlEventFilter *events() const { return m_events.get(); }

    /// A control whose height the toolkit fixes returns it here (pixels); -1 otherwise.
    virtual int fixedPixelHeight() const { return -1; }
    /// After the widget took a new geometry or font.
    virtual void geometryApplied() { }
    virtual void fontApplied() { }
    virtual void applyColors();
    void applyGeometry();

    /// Runs a notification if one is set. The handler runs from a copy, so that it may replace
    /// the notification or destroy the control while it runs.
    template<class Handler, class... A>
    static void raise(const Handler &handler, A &&...args)
    {
        if (handler) {
            const Handler copy = handler;
            NotificationScope::run(copy, std::forward<A>(args)...);
        }
    }

    /// The members every visual control has, for the member table of class T.
    template<class T>
    static std::vector<Member<T>> standardMembers();
    /// The StdFont a host passed by reference; Object variable not set for nothing and Type
    /// mismatch for another kind of object.
    static const StdFont &fontArgument(const Variant &value);
    /// The picture a host passed by reference: nothing clears, another kind of object is a Type
    /// mismatch.
    static StdPicturePtr pictureArgument(const Variant &value);

private:
    void applyFont();

    QPointer<QWidget> m_widget;
    std::unique_ptr<ControlEventFilter> m_events;
    QString m_name;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    int16_t m_tabIndex = 0;
    uint32_t m_backColor = OleColor::WindowBackground;
    uint32_t m_foreColor = OleColor::WindowText;
    QPalette::ColorRole m_backRole = QPalette::Base;
    QPalette::ColorRole m_foreRole = QPalette::Text;
    StdFontPtr m_font;
    int m_fontListener = 0;
};

template<class T>
std::vector<Member<T>> StandardControl::standardMembers()
{
    using M = Members<T>;
    namespace Id = ControlDispId;
    const QString single = QStringLiteral("double");
    const QString boolean = QStringLiteral("VARIANT_BOOL");
    const QString color = QStringLiteral("OLE_COLOR");
    return {
        M::get(QStringLiteral("Name"), Id::Name, QStringLiteral("BSTR"),
            [](T &c) { return Variant(c.Name()); }),
        M::get(QStringLiteral("Left"), Id::Left, single, [](T &c) { return Variant(c.Left()); }),
        M::let(QStringLiteral("Left"), Id::Left, single,
            [](T &c, const Variant &v) { c.setLeft(toDouble(v)); }),
        M::get(QStringLiteral("Top"), Id::Top, single, [](T &c) { return Variant(c.Top()); }),
        M::let(QStringLiteral("Top"), Id::Top, single,
            [](T &c, const Variant &v) { c.setTop(toDouble(v)); }),
        M::get(QStringLiteral("Width"), Id::Width, single, [](T &c) { return Variant(c.Width()); }),
        M::let(QStringLiteral("Width"), Id::Width, single,
            [](T &c, const Variant &v) { c.setWidth(toDouble(v)); }),
        M::get(
            QStringLiteral("Height"), Id::Height, single, [](T &c) { return Variant(c.Height()); }),
        M::let(QStringLiteral("Height"), Id::Height, single,
            [](T &c, const Variant &v) { c.setHeight(toDouble(v)); }),
        M::get(QStringLiteral("Visible"), Id::Visible, boolean,
            [](T &c) { return Variant(c.Visible()); }),
        M::let(QStringLiteral("Visible"), Id::Visible, boolean,
            [](T &c, const Variant &v) { c.setVisible(toBoolean(v)); }),
        M::get(QStringLiteral("Enabled"), Id::Enabled, boolean,
            [](T &c) { return Variant(c.Enabled()); }),
        M::let(QStringLiteral("Enabled"), Id::Enabled, boolean,
            [](T &c, const Variant &v) { c.setEnabled(toBoolean(v)); }),
        M::get(QStringLiteral("TabIndex"), Id::TabIndex, QStringLiteral("short"),
            [](T &c) { return Variant(c.TabIndex()); }),
        M::let(QStringLiteral("TabIndex"), Id::TabIndex, QStringLiteral("short"),
            [](T &c, const Variant &v) { c.setTabIndex(toInteger(v)); }),
        M::get(QStringLiteral("BackColor"), Id::BackColor, color,
            [](T &c) { return OleColor::toVariant(c.BackColor()); }),
        M::let(QStringLiteral("BackColor"), Id::BackColor, color,
            [](T &c, const Variant &v) { c.setBackColor(OleColor::fromVariant(v)); }),
        M::get(QStringLiteral("ForeColor"), Id::ForeColor, color,
            [](T &c) { return OleColor::toVariant(c.ForeColor()); }),
        M::let(QStringLiteral("ForeColor"), Id::ForeColor, color,
            [](T &c, const Variant &v) { c.setForeColor(OleColor::fromVariant(v)); }),
        M::get(QStringLiteral("Font"), Id::Font, QStringLiteral("IFontDisp*"),
            [](T &c) { return Variant(DispatchPtr(c.Font())); }),
        M::setRef(QStringLiteral("Font"), Id::Font, QStringLiteral("IFontDisp*"),
            [](T &c, const Variant &v) { c.setFont(fontArgument(v)); }),
        M::method(QStringLiteral("SetFocus"), Id::SetFocus, [](T &c) { c.SetFocus(); }),
        M::method(QStringLiteral("Refresh"), Id::Refresh, [](T &c) { c.Refresh(); }),
    };
}

} // namespace platform
