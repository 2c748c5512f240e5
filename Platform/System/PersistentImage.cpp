#include "PersistentImage.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>
#include <utility>

namespace platform {

namespace {

// `from` at the top left of a new image of `size` and `format`, the rest filled with `fill`.
QImage resized(const QImage &from, QSize size, QImage::Format format, const QColor &fill)
{
    QImage image(size, format);
    if (image.isNull())
        return {};
    image.fill(fill);
    if (!from.isNull()) {
        QPainter painter(&image);
        painter.drawImage(QPoint(0, 0), from);
    }
    return image;
}

// The resolution the toolkit gives a new image, read once.
QSize newImageDotsPerMeter()
{
    static const QSize dots = [] {
        const QImage fresh(1, 1, QImage::Format_RGB32);
        return QSize(fresh.dotsPerMeterX(), fresh.dotsPerMeterY());
    }();
    return dots;
}

} // namespace

PersistentImage &PersistentImage::operator=(QImage pixels)
{
    forgetPainted();
    m_pending = nullptr;
    m_pendingResizes = 0;
    m_pixels = std::move(pixels);
    return *this;
}

QImage PersistentImage::make() const
{
    QImage made = m_pending();
    if (made.size() != m_size) {
        // Pixels that could not be made show as black rather than leave the image without any.
        made = QImage(m_size, m_format);
        if (!made.isNull()) {
            made.setDevicePixelRatio(m_devicePixelRatio);
            made.fill(Qt::black);
        }
    }
    return made;
}

const QImage &PersistentImage::pixels() const
{
    if (m_pending) {
        m_pixels = m_painted && !m_painted->isNull() ? std::move(*m_painted) : make();
        m_painted.reset();
        m_pending = nullptr;
    }
    return m_pixels;
}

QImage &PersistentImage::pixels()
{
    std::as_const(*this).pixels();
    m_pendingResizes = 0;
    return m_pixels;
}

void PersistentImage::setPending(Maker make)
{
    m_size = size();
    m_format = format();
    m_devicePixelRatio = devicePixelRatio();
    m_dotsPerMeter = QSize(dotsPerMeterX(), dotsPerMeterY());
    m_pixels = QImage();
    forgetPainted();
    m_pending = std::move(make);
    m_pendingResizes = 0;
}

void PersistentImage::resize(QSize newSize, const QColor &fill, QImage::Format format)
{
    if (newSize == size())
        return;
    if (newSize.isEmpty()) {
        *this = QImage();
        return;
    }
    if (m_pending && m_pendingResizes < MaxPendingResizes) {
        m_pending = [before = std::move(m_pending), newSize, format, fill] {
            return resized(before(), newSize, format, fill);
        };
        forgetPainted();
        m_size = newSize;
        m_format = format;
        // What a new image has.
        m_devicePixelRatio = 1.0;
        m_dotsPerMeter = newImageDotsPerMeter();
        ++m_pendingResizes;
        return;
    }
    *this = resized(pixels(), newSize, format, fill);
}

void PersistentImage::fill(const QColor &colour)
{
    if (m_pending) {
        QImage filled(m_size, m_format);
        if (!filled.isNull()) {
            filled.setDevicePixelRatio(m_devicePixelRatio);
            filled.setDotsPerMeterX(m_dotsPerMeter.width());
            filled.setDotsPerMeterY(m_dotsPerMeter.height());
        }
        *this = std::move(filled);
    }
    m_pixels.fill(colour);
}

void PersistentImage::paint(QPainter &painter, QPoint at) const
{
    if (!m_pending) {
        if (!m_pixels.isNull())
            painter.drawImage(at, m_pixels);
        return;
    }
    // An empty image here is one the event loop let go of.
    if (!m_painted || m_painted->isNull()) {
        m_painted = std::make_shared<QImage>(make());
        // Let go of them once control is back in the event loop; without one, at once.
        if (QCoreApplication::instance()) {
            QTimer::singleShot(0, [painted = std::weak_ptr<QImage>(m_painted)] {
                if (const auto held = painted.lock())
                    *held = QImage();
            });
        }
    }
    if (!m_painted->isNull())
        painter.drawImage(at, *m_painted);
    if (!QCoreApplication::instance())
        m_painted.reset();
}

} // namespace platform
