#include "StdPicture.h"

#include "../Value/Units.h"

namespace platform {

namespace {

// Bitmap handles are never reused, so a stale handle never names another picture.
int32_t nextBitmapHandle()
{
    static int32_t next = 0x05010000;
    const int32_t handle = next;
    next += 4;
    return handle;
}

QImage normalized(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage::Format format
        = image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    return image.format() == format ? image : image.convertToFormat(format);
}

int32_t pixelsToHimetric(int pixels)
{
    return twipsToHimetric(pixelsToTwips(pixels));
}

} // namespace

StdPicture::StdPicture(Key, QImage image)
    : m_image(std::move(image)), m_handle(m_image.isNull() ? 0 : nextBitmapHandle())
{ }

std::shared_ptr<StdPicture> StdPicture::empty()
{
    return std::make_shared<StdPicture>(Key {}, QImage());
}

std::shared_ptr<StdPicture> StdPicture::fromImage(const QImage &image)
{
    return std::make_shared<StdPicture>(Key {}, normalized(image));
}

std::shared_ptr<StdPicture> StdPicture::fromImage(const QImage &image, const QImage &imageAt2x)
{
    std::shared_ptr<StdPicture> picture = fromImage(image);
    if (!picture->isEmpty() && imageAt2x.size() == image.size() * 2) {
        picture->m_imageAt2x = normalized(imageAt2x);
        picture->m_imageAt2x.setDevicePixelRatio(2);
    }
    return picture;
}

int16_t StdPicture::Type() const
{
    return static_cast<int16_t>(isEmpty() ? PictureType::None : PictureType::Bitmap);
}

int32_t StdPicture::Width() const
{
    return pixelsToHimetric(m_image.width());
}

int32_t StdPicture::Height() const
{
    return pixelsToHimetric(m_image.height());
}

const MemberTable<StdPicture> &StdPicture::memberTable()
{
    using M = Members<StdPicture>;
    static const MemberTable<StdPicture> table(QStringLiteral("StdPicture"),
        {
            M::get(QStringLiteral("Handle"), HandleId, QStringLiteral("OLE_HANDLE"),
                [](StdPicture &self) { return Variant(self.Handle()); }),
            M::get(QStringLiteral("Type"), TypeId, QStringLiteral("short"),
                [](StdPicture &self) { return Variant(self.Type()); }),
            M::get(QStringLiteral("Width"), WidthId, QStringLiteral("OLE_XSIZE_HIMETRIC"),
                [](StdPicture &self) { return Variant(self.Width()); }),
            M::get(QStringLiteral("Height"), HeightId, QStringLiteral("OLE_YSIZE_HIMETRIC"),
                [](StdPicture &self) { return Variant(self.Height()); }),
        });
    return table;
}

} // namespace platform
