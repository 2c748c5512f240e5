#pragma once

#include "../QuillPlatformExport.h"

#include <QColor>
#include <QImage>
#include <functional>
#include <memory>

class QPainter;

namespace platform {

/// The pixels a control keeps behind its device context, which may stay unmade for a while.
///
/// A drawing that replaces every pixel at once (a picture stretched over the whole image) can be
/// left pending: the image then keeps only how to make its pixels, holding the picture shared
/// rather than a scaled copy of it. The pixels are made when something reads or draws on them,
/// and kept from then on. Painting makes them for the moment: they are kept only until the
/// event loop next runs, so that the several paints of one pass (a repaint, then a grab of the
/// window) make them once. A box of any size showing a stretched picture so holds no more than
/// the picture itself between repaints.
///
/// A resize while pending stays pending too: the pending pixels, once made, land at the top left
/// of the new size, the rest filled with the colour given, as an eager resize would do.
class QUILL_PLATFORM_EXPORT PersistentImage
{
public:
    /// Makes the pixels; a null image if they cannot be made (out of memory).
    using Maker = std::function<QImage()>;

    PersistentImage() = default;
    explicit PersistentImage(QImage pixels) : m_pixels(std::move(pixels)) { }

    /// Replaces the pixels, dropping anything pending.
    PersistentImage &operator=(QImage pixels);

    QSize size() const { return m_pending ? m_size : m_pixels.size(); }
    bool isNull() const { return size().isEmpty(); }
    QRect rect() const { return QRect(QPoint(0, 0), size()); }
    QImage::Format format() const { return m_pending ? m_format : m_pixels.format(); }
    qreal devicePixelRatio() const
    {
        return m_pending ? m_devicePixelRatio : m_pixels.devicePixelRatio();
    }
    int dotsPerMeterX() const
    {
        return m_pending ? m_dotsPerMeter.width() : m_pixels.dotsPerMeterX();
    }
    int dotsPerMeterY() const
    {
        return m_pending ? m_dotsPerMeter.height() : m_pixels.dotsPerMeterY();
    }
    bool isPending() const { return bool(m_pending); }
    /// A painter open on the pixels; pending pixels have none.
    bool paintingActive() const { return !m_pending && m_pixels.paintingActive(); }

    /// The pixels, made now if they are pending, and kept.
    const QImage &pixels() const;
    /// The same, for drawing on.
    QImage &pixels();

    /// Leaves the whole image to `make`, which gives pixels of this image's size, format, pixel
    /// ratio and resolution; the current pixels are let go.
    void setPending(Maker make);

    /// Gives the image a new size in pixels (an empty one lets every pixel go): a new image of
    /// `format` at pixel ratio 1, the old content at its top left and new area filled with `fill`.
    void resize(QSize size, const QColor &fill, QImage::Format format);

    /// Fills every pixel with `colour`; pending pixels are not made first.
    void fill(const QColor &colour);

    /// Draws the image with its top left at `at`. Pending pixels are made for this pass of the
    /// event loop only.
    void paint(QPainter &painter, QPoint at) const;

private:
    // Resizes that stay pending before the pixels are made instead: each one wraps the last.
    static constexpr int MaxPendingResizes = 8;

    QImage make() const;
    // Drops the pixels a paint made, as anything that changes the pending ones must.
    void forgetPainted() { m_painted.reset(); }

    mutable QImage m_pixels;
    mutable Maker m_pending;
    // The pending pixels as the last paint made them, until the event loop runs again.
    mutable std::shared_ptr<QImage> m_painted;
    QSize m_size;
    QImage::Format m_format = QImage::Format_Invalid;
    qreal m_devicePixelRatio = 1.0;
    QSize m_dotsPerMeter;
    int m_pendingResizes = 0;
};

} // namespace platform
