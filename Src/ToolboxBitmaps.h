#pragma once

#include <QImage>
#include <map>

// The library's bitmap resources: the four toolbox images (16 x 15, 24 bits per pixel), by
// resource id.
namespace quillkit {

constexpr int QuillPictureBoxBitmap = 30000;
constexpr int QuillInputBoxBitmap = 30001;
constexpr int QuillFormBitmap = 30002;
constexpr int QuillComboBoxBitmap = 30003;

std::map<int, QImage> toolboxBitmaps();

// The same four drawings for screens at twice the density: 32 x 30 pixels, 24 bits per pixel,
// device pixel ratio 2, drawn at that size rather than enlarged, by the same resource ids.
std::map<int, QImage> toolboxBitmapsAt2x();

// An image drawn from rows of palette letters (see ToolboxBitmaps.cpp), 24 bits per pixel.
QImage imageFromRows(const char *const *rows, int height);

} // namespace quillkit
