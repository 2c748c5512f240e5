#include "PictureBox.h"

#include "AccessibleRole.h"
#include "PictureBoxSurface.h"

#include "../Value/RuntimeError.h"
#include "../Value/Units.h"

#include <QPainter>

namespace platform {

PictureBox::PictureBox(QWidget *parent, const QString &name)
{
    auto *surface = new PictureBoxSurface(parent, &m_image);
    m_surface = surface;
    surface->setBorderWidth(BorderPixels);
    setAccessibleRole(surface, QAccessible::Graphic);
    attach(surface, name, OleColor::ButtonFace, OleColor::ButtonText, QPalette::Window,
        QPalette::WindowText);
}

PictureBox::~PictureBox()
{
    if (m_hdc)
        DeviceContexts::release(m_hdc);
}

const MemberTable<PictureBox> &PictureBox::memberTable()
{
    using M = Members<PictureBox>;
    namespace Id = ControlDispId;
    static const MemberTable<PictureBox> table = [] {
        auto members = standardMembers<PictureBox>();
        const QString picture = QStringLiteral("IPictureDisp*");
        const QString single = QStringLiteral("single");
        const std::vector<ParamInfo> scaleParams {{QStringLiteral("Width"), single, false, true},
            {QStringLiteral("FromScale"), QStringLiteral("VARIANT"), true, false},
            {QStringLiteral("ToScale"), QStringLiteral("VARIANT"), true, false}};
        const auto unit = [](const Variant &v, int16_t fallback) {
            return v.isMissing() ? fallback : toInteger(v);
        };
        std::vector<Member<PictureBox>> own {
            M::get(QStringLiteral("Picture"), Id::Picture, picture,
                [](PictureBox &c) { return Variant(DispatchPtr(c.Picture())); }),
            M::setRef(QStringLiteral("Picture"), Id::Picture, picture,
                [](PictureBox &c, const Variant &v) { c.setPicture(pictureArgument(v)); }),
            M::get(QStringLiteral("AutoSize"), Id::AutoSize, QStringLiteral("VARIANT_BOOL"),
                [](PictureBox &c) { return Variant(c.AutoSize()); }),
            M::let(QStringLiteral("AutoSize"), Id::AutoSize, QStringLiteral("VARIANT_BOOL"),
                [](PictureBox &c, const Variant &v) { c.setAutoSize(toBoolean(v)); }),
            M::get(QStringLiteral("BorderStyle"), Id::BorderStyle, QStringLiteral("short"),
                [](PictureBox &c) { return Variant(c.BorderStyle()); }),
            M::let(QStringLiteral("BorderStyle"), Id::BorderStyle, QStringLiteral("short"),
                [](PictureBox &c, const Variant &v) { c.setBorderStyle(toInteger(v)); }),
            M::get(QStringLiteral("ScaleWidth"), Id::ScaleWidth, single,
                [](PictureBox &c) { return Variant(float(c.ScaleWidth())); }),
            M::get(QStringLiteral("ScaleHeight"), Id::ScaleHeight, single,
                [](PictureBox &c) { return Variant(float(c.ScaleHeight())); }),
            M::method(QStringLiteral("ScaleX"), Id::ScaleX, scaleParams, single,
                [unit](PictureBox &c, const Args &args) {
                    return Variant(c.ScaleX(toDouble(args[0]), unit(args[1], 8), unit(args[2], 1)));
                }),
            M::method(QStringLiteral("ScaleY"), Id::ScaleY, scaleParams, single,
                [unit](PictureBox &c, const Args &args) {
                    return Variant(c.ScaleY(toDouble(args[0]), unit(args[1], 8), unit(args[2], 1)));
                }),
            M::get(QStringLiteral("hDC"), Id::HDC, QStringLiteral("OLE_HANDLE"),
                [](PictureBox &c) { return Variant(int32_t(c.hDC())); }),
            M::method(QStringLiteral("Cls"), Id::Cls, [](PictureBox &c) { c.Cls(); }),
        };
        members.insert(members.end(), own.begin(), own.end());
        return MemberTable<PictureBox>(QStringLiteral("PictureBox"), std::move(members));
    }();
    return table;
}

int PictureBox::borderPixels() const
{
    return m_borderStyle == FixedSingle ? BorderPixels : 0;
}

QSize PictureBox::interiorSize() const
{
    const QWidget *surface = liveWidget();
    const int border = 2 * borderPixels();
    return QSize(std::max(0, surface->width() - border), std::max(0, surface->height() - border));
}

void PictureBox::setPicture(StdPicturePtr picture)
{
    liveWidget();
    m_picture = std::move(picture);
    if (m_autoSize)
        sizeToPicture();
    Cls();
}

void PictureBox::setAutoSize(bool autoSize)
{
    liveWidget();
    m_autoSize = autoSize;
    if (m_autoSize)
        sizeToPicture();
}

void PictureBox::sizeToPicture()
{
    if (!m_picture || m_picture->isEmpty())
        return;
    const QSize size = m_picture->image().size();
    const int border = 2 * borderPixels();
    setWidth(pixelsToTwips(size.width() + border));
    setHeight(pixelsToTwips(size.height() + border));
}

void PictureBox::setBorderStyle(int16_t style)
{
    if (style != NoBorder && style != FixedSingle)
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("BorderStyle"));
    live(m_surface)->setBorderWidth(style == FixedSingle ? BorderPixels : 0);
    m_borderStyle = style;
    if (m_autoSize)
        sizeToPicture();
    fitImage();
}

double PictureBox::ScaleWidth() const
{
    return pixelsToTwips(interiorSize().width());
}

double PictureBox::ScaleHeight() const
{
    return pixelsToTwips(interiorSize().height());
}

float PictureBox::ScaleX(double value, int16_t fromUnit, int16_t toUnit) const
{
    return static_cast<float>(scaleLength(value, fromUnit, toUnit, false));
}

float PictureBox::ScaleY(double value, int16_t fromUnit, int16_t toUnit) const
{
    return static_cast<float>(scaleLength(value, fromUnit, toUnit, true));
}

HDC PictureBox::hDC()
{
    liveWidget();
    if (!m_hdc) {
        // The image keeps its address for the box's life, so the context stays valid across
        // resizes.
        const QPointer<PictureBoxSurface> surface = m_surface;
        m_hdc = DeviceContexts::create(&m_image, [surface] {
            if (surface)
                surface->update();
        });
    }
    return m_hdc;
}

void PictureBox::Cls()
{
    liveWidget();
    fitImage();
    // An opaque picture of the image's own size and format covers every pixel the background
    // would: the image takes the picture's pixels, shared until either is drawn on, rather than
    // a copy (a box sized to its picture would otherwise hold the picture twice).
    if (m_picture && !m_picture->isEmpty() && !m_image.isNull() && !m_image.paintingActive()) {
        const QImage &picture = m_picture->image();
        if (picture.size() == m_image.size() && picture.format() == m_image.format()
            && !picture.hasAlphaChannel()) {
            QImage shared = picture;
            shared.setDevicePixelRatio(m_image.devicePixelRatio());
            m_image = std::move(shared);
            repaintSurface();
            return;
        }
    }
    clearImage();
    if (m_picture && !m_picture->isEmpty() && !m_image.isNull()) {
        QPainter painter(&m_image.pixels());
        painter.drawImage(QPoint(0, 0), m_picture->image());
    }
    repaintSurface();
}

void PictureBox::geometryApplied()
{
    fitImage();
}

void PictureBox::applyColors()
{
    StandardControl::applyColors();
    Cls();
}

void PictureBox::fitImage()
{
    const QSize size = interiorSize();
    if (m_image.size() == size)
        return;
    m_image.resize(size, OleColor::toQColor(BackColor()), QImage::Format_RGB32);
    repaintSurface();
}

void PictureBox::clearImage()
{
    fitImage();
    if (!m_image.isNull())
        m_image.fill(OleColor::toQColor(BackColor()));
}

void PictureBox::repaintSurface()
{
    if (m_surface)
        m_surface->update();
}

} // namespace platform
