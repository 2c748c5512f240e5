#pragma once

#include "../QuillPlatformExport.h"

#include "MemberTable.h"

#include <QImage>
#include <cstdint>
#include <memory>

namespace platform {

/// The standard picture object: an image hosts and controls pass around by reference. Sizes are
/// reported in HIMETRIC, as the component model gives picture sizes. Pixels are kept in one of
/// two 32-bit formats (RGB32, or premultiplied ARGB32 when the picture has transparency) so that
/// the drawing calls never convert them.
class QUILL_PLATFORM_EXPORT StdPicture : public DispatchFromTable<StdPicture>
{
    struct Key
    {
    };

public:
    /// Picture types of the component model.
    enum class PictureType : int16_t {
        None = 0,
        Bitmap = 1,
    };

    ///@{
    /// Member ids fixed by the component model for picture objects.
    static constexpr DispId HandleId = 0;
    static constexpr DispId TypeId = 3;
    static constexpr DispId WidthId = 4;
    static constexpr DispId HeightId = 5;
    ///@}

    /// An empty picture (type none, size 0 x 0).
    static std::shared_ptr<StdPicture> empty();
    /// A picture holding the image; a null image gives an empty picture.
    static std::shared_ptr<StdPicture> fromImage(const QImage &image);
    // A picture holding the image and its rendition for screens at twice the density. The
    // picture's size, handle and pixels are the image's; only a display that doubles draws the
    // rendition, which must be twice the image's size.
    static std::shared_ptr<StdPicture> fromImage(const QImage &image, const QImage &imageAt2x);

    /// The members late-bound callers reach, with their ids and types.
    static const MemberTable<StdPicture> &memberTable();

    StdPicture(Key, QImage image);

    const QImage &image() const { return m_image; }
    // The rendition at twice the density (device pixel ratio 2), or a null image.
    const QImage &imageAt2x() const { return m_imageAt2x; }
    bool isEmpty() const { return m_image.isNull(); }

    ///@{
    /// The system's members.
    int32_t Handle() const { return m_handle; }
    int16_t Type() const;
    int32_t Width() const;
    int32_t Height() const;
    ///@}

private:
    QImage m_image;
    QImage m_imageAt2x;
    int32_t m_handle = 0;
};

using StdPicturePtr = std::shared_ptr<StdPicture>;

} // namespace platform
