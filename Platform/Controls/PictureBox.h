#pragma once

#include "../QuillPlatformExport.h"

#include "StandardControl.h"

#include "../System/DeviceContexts.h"
#include "../System/PersistentImage.h"

#include <QImage>
#include <QPointer>

namespace platform {

class PictureBoxSurface;

/// The picture box: a persistent image covering its interior, shown at every repaint and kept
/// while the box is hidden.
///
/// - Setting Picture clears the image to BackColor and draws the picture at its top left; with
///   AutoSize on, the box first takes the picture's pixel size plus its border.
/// - Resizing keeps the image's content at the top left and fills new area with BackColor.
/// - BorderStyle 1 draws a sunken border 2 pixels wide (30 twips) on each side; the interior,
///   and with it the image and ScaleWidth / ScaleHeight, is the rest.
/// - hDC is a device context over the image, made on first use and kept for the box's life;
///   drawing through it repaints the box.
/// - Cls, and a new BackColor, clear the image to BackColor and draw the Picture again.
class QUILL_PLATFORM_EXPORT PictureBox : public DispatchFromTable<PictureBox, StandardControl>
{
public:
    enum BorderStyleValue : int16_t { NoBorder = 0, FixedSingle = 1 };
    static constexpr int BorderPixels = 2;

    PictureBox(QWidget *parent, const QString &name);
    ~PictureBox() override;

    /// The members late-bound callers reach, with their ids and types.
    static const MemberTable<PictureBox> &memberTable();

    ///@{
    /// The picture object itself, not a copy; nullptr for none.
    StdPicturePtr Picture() const { return m_picture; }
    void setPicture(StdPicturePtr picture);
    ///@}
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    int16_t BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int16_t style);

    ///@{
    /// The interior, in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;
    ///@}
    ///@{
    /// A length converted between unit codes (1 twips, 3 pixels, 8 HIMETRIC, ...).
    float ScaleX(double value, int16_t fromUnit = 8, int16_t toUnit = 1) const;
    float ScaleY(double value, int16_t fromUnit = 8, int16_t toUnit = 1) const;
    ///@}

    HDC hDC();
    void Cls();

    ///@{
    /// The persistent image's pixels, for drawing from C++ (made now if a stretch over the whole
    /// box left them pending); call Refresh (or update the widget) after.
    QImage &image() { return m_image.pixels(); }
    const QImage &image() const { return m_image.pixels(); }
    ///@}

protected:
    void geometryApplied() override;
    void applyColors() override;

private:
    int borderPixels() const;
    QSize interiorSize() const;
    // Gives the image the interior's size, keeping its content at the top left.
    void fitImage();
    void clearImage();
    void sizeToPicture();
    void repaintSurface();

    QPointer<PictureBoxSurface> m_surface;
    PersistentImage m_image;
    StdPicturePtr m_picture;
    bool m_autoSize = false;
    int16_t m_borderStyle = FixedSingle;
    HDC m_hdc = 0;
};

} // namespace platform
