#pragma once

#include "../QuillPlatformExport.h"

#include "../System/PersistentImage.h"

#include <QWidget>

namespace platform {

/// The widget of a picture box: shows a persistent image at the top left of its interior, inside
/// an optional sunken border. It draws nothing else, so what was drawn into the image survives
/// every repaint.
class QUILL_PLATFORM_EXPORT PictureBoxSurface : public QWidget
{
public:
    PictureBoxSurface(QWidget *parent, const PersistentImage *image);

    void setBorderWidth(int pixels);
    int borderWidth() const { return m_borderWidth; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const PersistentImage *m_image;
    int m_borderWidth = 0;
};

} // namespace platform
