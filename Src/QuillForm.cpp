#include "QuillForm.h"

#include "QuillkitIds.h"
#include "ToolboxBitmaps.h"
#include "mod_api_declares.h"
#include "mod_misc_formularios.h"

#include <Quillkit/Controls/OleColor.h>
#include <Quillkit/Objects/StdPicture.h>
#include <Quillkit/Value/Conversions.h>

#include <QSet>

using namespace platform;

namespace {

constexpr int16_t vbPixels = 3;
constexpr int32_t RedrawNow = 1;

// The design-time icon: the toolbox drawing of a window at 32 x 32, one byte per pixel.
const QImage &windowPicture()
{
    static const QImage picture = [] {
        const QImage drawing = quillkit::toolboxBitmaps()
                                   .at(quillkit::QuillFormBitmap)
                                   .scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QSet<QRgb> colours;
        for (int y = 0; y < drawing.height(); ++y) {
            for (int x = 0; x < drawing.width(); ++x)
                colours.insert(drawing.pixel(x, y));
        }
        return drawing.convertToFormat(
            QImage::Format_Indexed8, QList<QRgb>(colours.begin(), colours.end()));
    }();
    return picture;
}

} // namespace

QuillForm::QuillForm()
    : cmdDummy(std::make_shared<PictureBox>(surface(), QStringLiteral("cmdDummy")))
{
    // Without a border the whole icon shows inside the box's 34 x 34 pixels.
    cmdDummy->setBorderStyle(PictureBox::NoBorder);
    cmdDummy->setBackColor(OleColor::WindowBackground);
    cmdDummy->setForeColor(OleColor::WindowText);
    cmdDummy->setLeft(0);
    cmdDummy->setTop(0);
    cmdDummy->setWidth(510);
    cmdDummy->setHeight(510);
    cmdDummy->setPicture(StdPicture::fromImage(windowPicture()));
}

const MemberTable<QuillForm> &QuillForm::memberTable()
{
    using M = Members<QuillForm>;
    const QString longType = QStringLiteral("long");
    static const MemberTable<QuillForm> table(QStringLiteral("QuillForm"),
        {
            M::method(QStringLiteral("Update"), 0x60030005, [](QuillForm &c) { c.Update(); }),
            M::get(QStringLiteral("CornerSize"), 0x68030001, longType,
                [](QuillForm &c) { return Variant(c.CornerSize()); }),
            M::let(QStringLiteral("CornerSize"), 0x68030001, longType,
                [](QuillForm &c, const Variant &v) { c.setCornerSize(toLong(v)); }),
            M::get(QStringLiteral("Transparency"), 0x68030000, longType,
                [](QuillForm &c) { return Variant(c.Transparency()); }),
            M::let(QStringLiteral("Transparency"), 0x68030000, longType,
                [](QuillForm &c, const Variant &v) { c.setTransparency(toLong(v)); }),
        });
    return table;
}

ClassInfo QuillForm::classInfo()
{
    ClassInfo info;
    info.id = quillkit::ids::QuillForm;
    info.name = QStringLiteral("QuillForm");
    info.progId = QStringLiteral("Quillkit.QuillForm");
    info.defaultInterface = {quillkit::ids::QuillFormInterface, QStringLiteral("_QuillForm"),
        {QStringLiteral("dual"), QStringLiteral("hidden"), QStringLiteral("nonextensible"),
            QStringLiteral("oleautomation")},
        false, memberTable().infos()};
    info.eventInterface = {quillkit::ids::QuillFormEvents, QStringLiteral("__QuillForm"),
        {QStringLiteral("hidden"), QStringLiteral("nonextensible")}, true, {}};
    info.miscStatus = MiscStatus::RecomposeOnResize | MiscStatus::CantLinkInside
        | MiscStatus::InsideOut | MiscStatus::ActivateWhenVisible | MiscStatus::InvisibleAtRunTime
        | MiscStatus::SetClientSiteFirst;
    info.toolboxBitmapId = quillkit::QuillFormBitmap;
    info.designWidth = 510;
    info.designHeight = 510;
    info.create = [] { return std::make_unique<QuillForm>(); };
    return info;
}

void QuillForm::Update()
{
    // The form being designed is never clipped or faded.
    if (!Ambient().UserMode())
        return;
    const DispatchPtr parent = Parent();
    const Variant pixels(vbPixels);
    const int32_t width = toLong(parent->call(QStringLiteral("ScaleX"),
        {parent->get(QStringLiteral("Width")), parent->get(QStringLiteral("ScaleMode")), pixels}));
    const int32_t height = toLong(parent->call(QStringLiteral("ScaleY"),
        {parent->get(QStringLiteral("Height")), parent->get(QStringLiteral("ScaleMode")), pixels}));

    // Window coordinates: the outline takes in the title bar and frame. The window owns the
    // region from here on, so it is never deleted here.
    const int32_t region = ::CreateRoundRectRgn(0, 0, width, height, m_CornerSize, m_CornerSize);
    if (region != 0)
        ::SetWindowRgn(toLong(parent->get(QStringLiteral("hWnd"))), region, RedrawNow);

    const int32_t hWnd = toLong(parent->get(QStringLiteral("hWnd")));
    if (m_Transparency <= 0)
        FORM_ClearTransparency(hWnd);
    else
        FORM_SetTransparency(hWnd, toInteger(Variant(m_Transparency)));
}

void QuillForm::setCornerSize(int32_t value)
{
    m_CornerSize = value;
    Update();
    PropertyChanged(QStringLiteral("CornerSize"));
}

void QuillForm::setTransparency(int32_t value)
{
    m_Transparency = value;
    Update();
    PropertyChanged(QStringLiteral("Transparency"));
}

void QuillForm::UserControl_ReadProperties(PropertyBag &bag)
{
    m_CornerSize = toLong(bag.ReadProperty(QStringLiteral("CornerSize"), Variant(int32_t(32))));
    m_Transparency = toLong(bag.ReadProperty(QStringLiteral("Transparency"), Variant(int32_t(0))));
    Update();
}

void QuillForm::UserControl_Resize()
{
    // The control is as large as its icon, whatever size the host asks for.
    setWidth(cmdDummy->Width());
    setHeight(cmdDummy->Height());
}

void QuillForm::UserControl_WriteProperties(PropertyBag &bag)
{
    bag.WriteProperty(QStringLiteral("Transparency"), Variant(m_Transparency));
    bag.WriteProperty(QStringLiteral("CornerSize"), Variant(m_CornerSize));
}
