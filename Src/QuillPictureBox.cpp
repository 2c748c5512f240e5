#include "QuillPictureBox.h"

#include "QuillkitIds.h"
#include "ToolboxBitmaps.h"
#include "mod_api_declares.h"

#include <Quillkit/Controls/ControlMemberIds.h>
#include <Quillkit/Controls/OleColor.h>
#include <Quillkit/Value/Conversions.h>

using namespace platform;

namespace {

constexpr int16_t vbTwips = 1;
constexpr int16_t vbPixels = 3;
constexpr int32_t HALFTONE = 4;
constexpr int32_t SRCCOPY = 0x00CC0020;

int32_t roundedPixels(float value)
{
    return toLong(Variant(value));
}

} // namespace

QuillPictureBox::QuillPictureBox()
    : picAux(std::make_shared<PictureBox>(surface(), QStringLiteral("picAux"))),
      pic(std::make_shared<PictureBox>(surface(), QStringLiteral("pic")))
{
    setSurfaceRole(QAccessible::Graphic);
    picAux->setVisible(false);
    picAux->setBorderStyle(PictureBox::NoBorder);
    picAux->setAutoSize(true);
    picAux->setLeft(4200);
    picAux->setTop(840);
    picAux->setWidth(375);
    picAux->setHeight(375);
    picAux->setTabIndex(1);

    // No border: the stretched picture covers the box to its edges instead of being cut by it.
    pic->setBorderStyle(PictureBox::NoBorder);
    pic->setLeft(0);
    pic->setTop(0);
    pic->setWidth(3975);
    pic->setHeight(2775);
    pic->setTabIndex(0);
    pic->setBackColor(OleColor::WindowBackground);
    pic->setForeColor(OleColor::WindowText);
}

const MemberTable<QuillPictureBox> &QuillPictureBox::memberTable()
{
    using M = Members<QuillPictureBox>;
    static const MemberTable<QuillPictureBox> table(QStringLiteral("QuillPictureBox"),
        {
            M::setRef(QStringLiteral("Picture"), 0x68030000, QStringLiteral("IPictureDisp*"),
                [](QuillPictureBox &c, const Variant &v) { c.setPicture(v); }),
        });
    return table;
}

ClassInfo QuillPictureBox::classInfo()
{
    ClassInfo info;
    info.id = quillkit::ids::QuillPictureBox;
    info.name = QStringLiteral("QuillPictureBox");
    info.progId = QStringLiteral("Quillkit.QuillPictureBox");
    info.defaultInterface
        = {quillkit::ids::QuillPictureBoxInterface, QStringLiteral("_QuillPictureBox"),
            {QStringLiteral("dual"), QStringLiteral("hidden"), QStringLiteral("nonextensible"),
                QStringLiteral("oleautomation")},
            false, memberTable().infos()};
    info.eventInterface
        = {quillkit::ids::QuillPictureBoxEvents, QStringLiteral("__QuillPictureBox"),
            {QStringLiteral("hidden"), QStringLiteral("nonextensible")}, true, {}};
    info.miscStatus = MiscStatus::RecomposeOnResize | MiscStatus::CantLinkInside
        | MiscStatus::InsideOut | MiscStatus::ActivateWhenVisible | MiscStatus::AlignableToEdges
        | MiscStatus::SimpleFrame | MiscStatus::SetClientSiteFirst;
    info.toolboxBitmapId = quillkit::QuillPictureBoxBitmap;
    info.designWidth = 4800;
    info.designHeight = 3600;
    info.create = [] { return std::make_unique<QuillPictureBox>(); };
    return info;
}

void QuillPictureBox::setPicture(const Variant &picture)
{
    // The holder takes the object itself, not a copy, and sizes itself to it.
    picAux->invoke(ControlDispId::Picture, InvokeKind::PropertySetRef, {picture});
    ShowStretched();
}

void QuillPictureBox::UserControl_Resize()
{
    pic->setWidth(Width());
    pic->setHeight(Height());
    ShowStretched();
}

void QuillPictureBox::ShowStretched()
{
    const int32_t sourceWidth = roundedPixels(picAux->ScaleX(picAux->Width(), vbTwips, vbPixels));
    const int32_t sourceHeight = roundedPixels(picAux->ScaleY(picAux->Height(), vbTwips, vbPixels));
    const int32_t width = roundedPixels(pic->ScaleX(pic->Width(), vbTwips, vbPixels));
    const int32_t height = roundedPixels(pic->ScaleY(pic->Height(), vbTwips, vbPixels));

    // Smooth, averaging scaling; the drawing lands in pic's persistent image, which the next
    // repaint shows.
    ::SetStretchBltMode(pic->hDC(), HALFTONE);
    ::StretchBlt(
        pic->hDC(), 0, 0, width, height, picAux->hDC(), 0, 0, sourceWidth, sourceHeight, SRCCOPY);
}
