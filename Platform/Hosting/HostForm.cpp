#include "HostForm.h"

#include "FormDispatch.h"
#include "StandardControls.h"

#include "../Controls/NotificationScope.h"
#include "../Controls/StandardControl.h"
#include "../Controls/TabOrder.h"
#include "../Objects/StdFont.h"
#include "../System/WindowHandles.h"
#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"
#include "../Value/Units.h"

namespace platform {

HostForm::HostForm(ComponentHost &host, const QString &name)
    : m_host(host), m_name(name), m_window(new QWidget), m_font(std::make_shared<StdFont>()),
      m_dispatch(std::make_shared<FormDispatch>(this))
{
    m_window->setObjectName(name);
    m_window->setWindowTitle(name);
    m_window->setFont(m_font->toQFont());
    m_hwnd = WindowHandles::registerWindow(m_window);
}

namespace {

// What a form leaves behind when it goes: its controls go before the window their surfaces
// live in.
struct FormRemains
{
    std::vector<std::unique_ptr<ControlSite>> sites;
    std::vector<DispatchPtr> standard;
    QPointer<QWidget> window;

    ~FormRemains()
    {
        sites.clear();
        standard.clear();
        delete window.data();
    }
};

} // namespace

HostForm::~HostForm()
{
    m_dispatch->detach();
    WindowHandles::unregisterWindow(m_hwnd);
    // A host may destroy the form from inside an event of one of its controls, whose code, and
    // the toolkit's under it, still runs on the controls when the handler returns. The form is
    // gone for the host at once: its window closes and its controls are unsited; their objects
    // and widgets go when that code is done.
    auto remains = std::make_shared<FormRemains>();
    for (auto &site : m_sites)
        site->formGone();
    remains->sites = std::move(m_sites);
    for (StandardEntry &entry : m_standard)
        remains->standard.push_back(std::move(entry.control));
    m_standard.clear();
    remains->window = m_window;
    if (m_window)
        m_window->hide();
    destroyWhenSafe(std::move(remains));
}

ControlSite &HostForm::addControl(const QString &classIdOrProgId, const QString &name,
    const QRectF &twips, const PropertyBag *saved)
{
    checkedPosition(twips.left(), QStringLiteral("Left"));
    checkedPosition(twips.top(), QStringLiteral("Top"));
    checkedSize(twips.width(), QStringLiteral("Width"));
    checkedSize(twips.height(), QStringLiteral("Height"));
    const Registry::ClassEntry entry = m_host.classEntry(classIdOrProgId);
    std::shared_ptr<UserControl> control = m_host.create(classIdOrProgId);
    m_sites.push_back(std::make_unique<ControlSite>(*this, name, control, entry));
    ControlSite &site = *m_sites.back();
    site.setLeft(twips.left());
    site.setTop(twips.top());

    control->UserControl_Initialize();
    if (saved) {
        PropertyBag bag = *saved;
        control->UserControl_ReadProperties(bag);
    }
    control->setExtent(twips.width(), twips.height());
    return site;
}

ControlSite *HostForm::site(const QString &name) const
{
    for (const auto &site : m_sites) {
        if (site->name().compare(name, Qt::CaseInsensitive) == 0)
            return site.get();
    }
    return nullptr;
}

DispatchPtr HostForm::addStandardControl(const SavedControl &saved)
{
    DispatchPtr control = createStandardControl(saved.kind, m_window, saved.name);
    if (!control) {
        saved.place.at(saved.place.line, [&] {
            throw RuntimeError(ErrorNumber::CantCreateObject,
                QStringLiteral("no standard control of kind %1").arg(saved.kind));
        });
    }
    m_standard.push_back({saved, control});
    auto set = [&](const QString &key, const Variant &value) {
        saved.place.at(saved.place.lineOf(key), [&] {
            try {
                if (value.kind() == VariantKind::Object)
                    control->setRef(key, value.object());
                else
                    control->let(key, value);
            } catch (const RuntimeError &e) {
                throw RuntimeError(
                    e.number(), QStringLiteral("%1.%2: %3").arg(saved.name, key, e.text()));
            }
        });
    };
    // A control without a run-time appearance (a timer) keeps its position for the designer only.
    if (std::dynamic_pointer_cast<StandardControl>(control)) {
        set(QStringLiteral("Left"), Variant(saved.left));
        set(QStringLiteral("Top"), Variant(saved.top));
        if (saved.width && saved.height) {
            set(QStringLiteral("Width"), Variant(*saved.width));
            set(QStringLiteral("Height"), Variant(*saved.height));
        }
        if (saved.tabIndex)
            set(QStringLiteral("TabIndex"), Variant(static_cast<int32_t>(*saved.tabIndex)));
    }
    for (const auto &entry : saved.bag.entries())
        set(entry.key, entry.value);
    return control;
}

DispatchPtr HostForm::standardControl(const QString &name) const
{
    for (const StandardEntry &entry : m_standard) {
        if (entry.saved.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry.control;
    }
    return nullptr;
}

std::unique_ptr<HostForm> HostForm::load(ComponentHost &host, const SavedForm &saved)
{
    auto form = std::make_unique<HostForm>(host, saved.name);
    const PropertyBag &properties = saved.properties;
    const SourcePlace &place = saved.place;
    for (const auto &entry : properties.entries()) {
        const QString &key = entry.key;
        place.at(place.lineOf(key), [&] {
            if (key.compare(u"Caption", Qt::CaseInsensitive) == 0) {
                form->setCaption(toText(entry.value));
            } else if (key.compare(u"Font", Qt::CaseInsensitive) == 0) {
                std::shared_ptr<StdFont> font;
                if (entry.value.kind() == VariantKind::Object)
                    font = std::dynamic_pointer_cast<StdFont>(entry.value.object());
                if (!font)
                    throw RuntimeError(
                        ErrorNumber::TypeMismatch, QStringLiteral("%1.Font").arg(saved.name));
                form->setFont(font);
            } else if (key.compare(u"ForeColor", Qt::CaseInsensitive) == 0) {
                form->setForeColor(static_cast<uint32_t>(toLong(entry.value)));
            } else if (key.compare(u"ClientWidth", Qt::CaseInsensitive) != 0
                && key.compare(u"ClientHeight", Qt::CaseInsensitive) != 0) {
                throw RuntimeError(
                    ErrorNumber::ObjectDoesntSupport, QStringLiteral("%1.%2").arg(saved.name, key));
            }
        });
    }
    double size[2] = {};
    const QString sizeKeys[2] = {QStringLiteral("ClientWidth"), QStringLiteral("ClientHeight")};
    for (int i = 0; i < 2; ++i) {
        place.at(place.lineOf(sizeKeys[i]), [&] {
            size[i] = checkedSize(
                toDouble(properties.ReadProperty(sizeKeys[i], i == 0 ? 4800 : 3600)), sizeKeys[i]);
        });
    }
    form->setClientSize(size[0], size[1]);
    // The tab order is put together once, after the last control.
    const TabOrder::Batch tabOrder(form->window());
    for (const SavedControl &control : saved.controls) {
        if (isStandardControlKind(control.kind)) {
            form->addStandardControl(control);
            continue;
        }
        // What fails in a library control's own loading is laid to its Begin line.
        control.place.at(control.place.line, [&] {
            const QRectF rect(
                control.left, control.top, control.width.value_or(0), control.height.value_or(0));
            ControlSite &site = form->addControl(control.kind, control.name, rect, &control.bag);
            if (control.tabIndex)
                site.setTabIndex(*control.tabIndex);
        });
    }
    return form;
}

SavedForm HostForm::save()
{
    SavedForm saved;
    saved.name = m_name;
    saved.properties.WriteProperty(QStringLiteral("Caption"), Caption());
    saved.properties.WriteProperty(QStringLiteral("ClientWidth"), Variant(ClientWidth()));
    saved.properties.WriteProperty(QStringLiteral("ClientHeight"), Variant(ClientHeight()));
    saved.properties.WriteProperty(QStringLiteral("Font"), Variant(DispatchPtr(m_font)));
    saved.properties.WriteProperty(
        QStringLiteral("ForeColor"), Variant(static_cast<int32_t>(m_foreColor)));
    for (const auto &site : m_sites) {
        SavedControl control;
        control.kind = site->classEntry().progId;
        control.name = site->name();
        control.left = site->Left();
        control.top = site->Top();
        // A control invisible at run time has no size of its own on the form: it keeps the
        // size of its design-time image, whatever the host asks.
        if (!(site->classEntry().miscStatus & MiscStatus::InvisibleAtRunTime)) {
            control.width = site->Width();
            control.height = site->Height();
        }
        control.tabIndex = site->TabIndex();
        control.bag = site->save();
        saved.controls.push_back(std::move(control));
    }
    for (const StandardEntry &entry : m_standard)
        saved.controls.push_back(entry.saved);
    return saved;
}

QString HostForm::Caption() const
{
    return m_window->windowTitle();
}

void HostForm::setCaption(const QString &caption)
{
    m_window->setWindowTitle(caption);
}

double HostForm::ClientWidth() const
{
    return pixelsToTwips(m_window->width());
}

double HostForm::ClientHeight() const
{
    return pixelsToTwips(m_window->height());
}

void HostForm::setClientSize(double widthTwips, double heightTwips)
{
    checkedSize(widthTwips, QStringLiteral("ClientWidth"));
    checkedSize(heightTwips, QStringLiteral("ClientHeight"));
    m_window->resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

double HostForm::Width() const
{
    // The frame is known once the window manager has framed the window; before that (and
    // without a window manager) the window is its client area.
    return pixelsToTwips(std::max(m_window->frameGeometry().width(), m_window->width()));
}

double HostForm::Height() const
{
    return pixelsToTwips(std::max(m_window->frameGeometry().height(), m_window->height()));
}

void HostForm::setFont(std::shared_ptr<StdFont> font)
{
    m_font = std::move(font);
    m_window->setFont(m_font->toQFont());
}

double HostForm::ScaleX(double value, int16_t fromUnit, int16_t toUnit) const
{
    return scaleLength(value, fromUnit, toUnit, false);
}

double HostForm::ScaleY(double value, int16_t fromUnit, int16_t toUnit) const
{
    return scaleLength(value, fromUnit, toUnit, true);
}

void HostForm::SetFocus()
{
    m_window->activateWindow();
    m_window->setFocus();
}

void HostForm::Show()
{
    m_window->show();
}

DispatchPtr HostForm::dispatch() const
{
    return m_dispatch;
}

} // namespace platform
