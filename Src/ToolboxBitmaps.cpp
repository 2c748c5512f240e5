#include "ToolboxBitmaps.h"

#include <cstring>

namespace quillkit {

namespace {

QRgb paletteColour(char c)
{
    switch (c) {
    case 'k':
        return qRgb(0, 0, 0);
    case 'w':
        return qRgb(255, 255, 255);
    case 'g':
        return qRgb(192, 192, 192);
    case 'd':
        return qRgb(128, 128, 128);
    case 'b':
        return qRgb(0, 0, 128);
    case 'c':
        return qRgb(135, 206, 235);
    case 'y':
        return qRgb(255, 255, 0);
    case 'G':
        return qRgb(0, 128, 0);
    case 'h':
        return qRgb(139, 90, 43);
    default:
        return qRgb(255, 0, 255);
    }
}

// A landscape picture: sky, sun, cloud, hills and a path.
const char *const PictureBoxRows[] = {
    "kkkkkkkkkkkkkkkk",
    "kcccccccccccyyck",
    "kccwwcccccccyyck",
    "kcwwwwccccccccck",
    "kcccccccccccccck",
    "kccccccccGGcccck",
    "kcccccccGGGGccck",
    "kccGGccGGGGGGcck",
    "kcGGGGGGGGGGGGGk",
    "kGGGGGGGGGGGGGGk",
    "kGGGGGGhhGGGGGGk",
    "kGGGGGhhhhGGGGGk",
    "kGGGGhhhhhhGGGGk",
    "kGGGGGGGGGGGGGGk",
    "kkkkkkkkkkkkkkkk",
};

// The letters "abl" in a frame.
const char *const InputBoxRows[] = {
    "kkkkkkkkkkkkkkkk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwkwwwwkwwk",
    "kwwwwwwkwwwwkwwk",
    "kwwwwwwkwwwwkwwk",
    "kwkkkwwkkkwwkwwk",
    "kwwwwkwkwwkwkwwk",
    "kwkkkkwkwwkwkwwk",
    "kkwwwkwkwwkwkwwk",
    "kkwwwkwkwwkwkwwk",
    "kwkkkkwkkkwwkwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kkkkkkkkkkkkkkkk",
};

// A window: a title bar with its buttons over the client area.
const char *const FormRows[] = {
    "kkkkkkkkkkkkkkkk",
    "kbbbbbbbbbbgkgkk",
    "kbwwwbbbbbbgggkk",
    "kkkkkkkkkkkkkkkk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kkkkkkkkkkkkkkkk",
};

// A list box with a selected entry and a scroll bar.
const char *const ComboBoxRows[] = {
    "kkkkkkkkkkkkkkkk",
    "kwwwwwwwwwkgggkk",
    "kwkkkkkkwwkgkgkk",
    "kwwwwwwwwwkkkkkk",
    "kbbbbbbbbbkgggkk",
    "kbwwwwwbbbkgggkk",
    "kbbbbbbbbbkdddkk",
    "kwwwwwwwwwkdddkk",
    "kwkkkkkwwwkgggkk",
    "kwwwwwwwwwkgggkk",
    "kwwwwwwwwwkgggkk",
    "kwkkkkkkwwkkkkkk",
    "kwwwwwwwwwkgkgkk",
    "kwwwwwwwwwkgggkk",
    "kkkkkkkkkkkkkkkk",
};

} // namespace

QImage imageFromRows(const char *const *rows, int height)
{
    const int width = static_cast<int>(std::strlen(rows[0]));
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, paletteColour(rows[y][x]));
    }
    return image;
}

std::map<int, QImage> toolboxBitmaps()
{
    return {
        {QuillPictureBoxBitmap, imageFromRows(PictureBoxRows, 15)},
        {QuillInputBoxBitmap, imageFromRows(InputBoxRows, 15)},
        {QuillFormBitmap, imageFromRows(FormRows, 15)},
        {QuillComboBoxBitmap, imageFromRows(ComboBoxRows, 15)},
    };
}

} // namespace quillkit
