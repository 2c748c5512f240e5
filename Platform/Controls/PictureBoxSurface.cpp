#include "PictureBoxSurface.h"

#include <QPainter>
#include <qdrawutil.h>

namespace platform {

PictureBoxSurface::PictureBoxSurface(QWidget *parent, const PersistentImage *image)
    : QWidget(parent), m_image(image)
{
    // Every pixel is painted here; the toolkit need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBoxSurface::setBorderWidth(int pixels)
{
    m_borderWidth = pixels;
    update();
}

void PictureBoxSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_borderWidth > 0)
        qDrawWinPanel(&painter, rect(), palette(), true);
    m_image->paint(painter, QPoint(m_borderWidth, m_borderWidth));
}

} // namespace platform
