#include "ControlWidget.h"

#include "../Controls/NotificationScope.h"
#include "../Controls/OleColor.h"
#include "../Objects/MemberTable.h"
#include "../Objects/StdFont.h"
#include "../Objects/TypeInfo.h"
#include "../System/WindowHandles.h"
#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"
#include "../Value/Units.h"

#include <QPointer>
#include <QResizeEvent>

namespace platform {

// The container as a widget's control sees it through Parent: the members a form answers, for
// the window the widget is in. Once the widget is gone every member raises Object variable not
// set.
class ContainerDispatch : public DispatchFromTable<ContainerDispatch>
{
public:
    explicit ContainerDispatch(ControlWidget *widget) : m_widget(widget) { }
    void detach() { m_widget = nullptr; }

    static const MemberTable<ContainerDispatch> &memberTable();

private:
    ControlWidget &widget() const
    {
        if (!m_widget) {
            throw RuntimeError(
                ErrorNumber::ObjectVariableNotSet, QStringLiteral("the container is gone"));
        }
        return *m_widget;
    }
    QWidget &window() const { return *widget().window(); }

    ControlWidget *m_widget;
};

const MemberTable<ContainerDispatch> &ContainerDispatch::memberTable()
{
    using M = Members<ContainerDispatch>;
    using C = ContainerDispatch;
    const std::vector<ParamInfo> scaleParams {{"Width", "single"},
        {"FromScale", "VARIANT", true, true}, {"ToScale", "VARIANT", true, true}};
    auto unit = [](const Variant &v) { return v.isMissing() ? int16_t(1) : toInteger(v); };
    auto twips = [](int pixels) { return Variant(static_cast<float>(pixelsToTwips(pixels))); };
    // The ids are a form's, so that callers bound to a form's members find the same ones.
    static const MemberTable<ContainerDispatch> table(QStringLiteral("Container"),
        {
            M::get("Name", 1, "BSTR", [](C &c) { return Variant(c.window().objectName()); }),
            M::get("Caption", 2, "BSTR", [](C &c) { return Variant(c.window().windowTitle()); }),
            M::get("Width", 3, "single",
                [twips](C &c) {
                    return twips(std::max(c.window().frameGeometry().width(), c.window().width()));
                }),
            M::get("Height", 4, "single",
                [twips](C &c) {
                    return twips(
                        std::max(c.window().frameGeometry().height(), c.window().height()));
                }),
            M::get("ScaleWidth", 5, "single", [twips](C &c) { return twips(c.window().width()); }),
            M::get(
                "ScaleHeight", 6, "single", [twips](C &c) { return twips(c.window().height()); }),
            M::get("ScaleMode", 7, "short", [](C &) { return Variant(int16_t(1)); }),
            M::method("ScaleX", 8, scaleParams, "single",
                [unit](C &, const Args &a) {
                    return Variant(static_cast<float>(
                        scaleLength(toDouble(a[0]), unit(a[1]), unit(a[2]), false)));
                }),
            M::method("ScaleY", 9, scaleParams, "single",
                [unit](C &, const Args &a) {
                    return Variant(static_cast<float>(
                        scaleLength(toDouble(a[0]), unit(a[1]), unit(a[2]), true)));
                }),
            M::get("hWnd", 10, "long",
                [](C &c) { return Variant(WindowHandles::registerWindow(&c.window())); }),
            M::method("SetFocus", 11, [](C &c) { c.widget().focusPastControl(); }),
            M::get("Font", StandardDispId::Font, "IFontDisp*",
                [](C &c) {
                    return Variant(std::static_pointer_cast<Dispatch>(c.widget().ambientFont()));
                }),
        });
    return table;
}

namespace {

bool s_defaultUserMode = true;

const ClassInfo *classInfoOf(ComponentHost &host, const Registry::ClassEntry &entry)
{
    return host.libraryDescriptor(entry.library).info().findClass(entry.id);
}

} // namespace

ControlWidget::ControlWidget(
    ComponentHost &host, const QString &classIdOrProgId, QWidget *parent, const PropertyBag *saved)
    : QWidget(parent), m_entry(host.classEntry(classIdOrProgId)),
      m_control(host.create(classIdOrProgId)),
      m_container(std::make_shared<ContainerDispatch>(this)), m_userMode(s_defaultUserMode)
{
    if (const ClassInfo *info = classInfoOf(host, m_entry))
        m_designSize = QSize(twipsToPixels(info->designWidth), twipsToPixels(info->designHeight));

    QWidget *surface = m_control->surface();
    surface->setParent(this);
    surface->move(0, 0);
    // Tab reaches the control's own boxes through the focus chain, as they are the widget's
    // descendants; the widget itself takes focus only to hand it on (focusInEvent).
    setFocusPolicy(Qt::NoFocus);
    m_control->setContainer(this);
    updateVisibility();

    m_control->UserControl_Initialize();
    if (saved) {
        PropertyBag bag = *saved;
        m_control->UserControl_ReadProperties(bag);
    }
    const QSize start = m_designSize.isValid() ? m_designSize : QSize(0, 0);
    resize(start);
    m_control->setExtent(pixelsToTwips(start.width()), pixelsToTwips(start.height()));
}

ControlWidget::ControlWidget(
    const QString &classIdOrProgId, QWidget *parent, const PropertyBag *saved)
    : ControlWidget(defaultComponentHost(), classIdOrProgId, parent, saved)
{ }

ControlWidget::~ControlWidget()
{
    m_container->detach();
    m_control->setContainer(nullptr);
    // The widget may go from inside one of the control's events, whose code still runs on the
    // control: it and its surface go when that code is done, not with this widget.
    if (QWidget *surface = m_control->surface()) {
        surface->hide();
        surface->setParent(nullptr);
    }
    destroyWhenSafe(std::move(m_control));
}

DispatchPtr ControlWidget::control() const
{
    return m_control;
}

void ControlWidget::setUserMode(bool userMode)
{
    m_userMode = userMode;
    updateVisibility();
}

bool ControlWidget::defaultUserMode()
{
    return s_defaultUserMode;
}

void ControlWidget::setDefaultUserMode(bool userMode)
{
    s_defaultUserMode = userMode;
}

PropertyBag ControlWidget::save()
{
    return m_control->savedState();
}

QSize ControlWidget::sizeHint() const
{
    return m_designSize.isValid() ? m_designSize : QWidget::sizeHint();
}

QSize ControlWidget::minimumSizeHint() const
{
    return QSize(0, 0);
}

void ControlWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    const double width = pixelsToTwips(size.width());
    const double height = pixelsToTwips(size.height());
    if (qFuzzyCompare(width + 1, m_control->Width() + 1)
        && qFuzzyCompare(height + 1, m_control->Height() + 1))
        return;
    // The control's Resize may raise; a layout has nobody to report to but the handler of
    // unhandled errors.
    try {
        m_control->setExtent(width, height);
    } catch (const RuntimeError &error) {
        reportUnhandledError(error);
    }
}

void ControlWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    for (QWidget *next = nextInFocusChain(); next && isAncestorOf(next);
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisible()) {
            next->setFocus(event->reason());
            return;
        }
    }
}

void ControlWidget::updateVisibility()
{
    const bool hiddenAtRunTime
        = (m_entry.miscStatus & MiscStatus::InvisibleAtRunTime) && m_userMode;
    m_control->surface()->setVisible(!hiddenAtRunTime);
}

void ControlWidget::focusPastControl()
{
    for (QWidget *next = nextInFocusChain(); next && next != this;
         next = next->nextInFocusChain()) {
        if (isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled()
            || !next->isVisible() || next->window() != window())
            continue;
        next->setFocus(Qt::TabFocusReason);
        return;
    }
    window()->setFocus(Qt::OtherFocusReason);
}

bool ControlWidget::ambientUserMode() const
{
    return m_userMode;
}

std::shared_ptr<StdFont> ControlWidget::ambientFont() const
{
    return StdFont::fromQFont(font());
}

uint32_t ControlWidget::ambientForeColor() const
{
    // A colour reference is 0x00BBGGRR.
    const QColor text = palette().color(QPalette::WindowText);
    return static_cast<uint32_t>(text.red()) | static_cast<uint32_t>(text.green()) << 8
        | static_cast<uint32_t>(text.blue()) << 16;
}

DispatchPtr ControlWidget::parent() const
{
    return m_container;
}

void ControlWidget::propertyChanged(const QString &) { }

void ControlWidget::raiseEvent(DispId id, const Args &args)
{
    // As on a form: the handler may destroy this widget, so it runs from copies, and what goes
    // waits until the control's code that raised the event is done.
    const RunningHandler running;
    Args handed;
    handed.reserve(args.size());
    for (const Variant &arg : args)
        handed.push_back(m_control->handOut(arg));
    QPointer<ControlWidget> self(this);
    if (onEvent) {
        const auto handler = onEvent;
        handler(id, handed);
    }
    if (self)
        emit controlEvent(id, handed);
}

void ControlWidget::extentChanged(double, double)
{
    // The control keeps a size of its own (a fixed height, say): layouts ask again.
    updateGeometry();
}

} // namespace platform
