#pragma once

#include <Quillkit/Objects/StdPicture.h>

namespace quillkit {

// The search button's picture: binoculars of 17 x 16 pixels on a transparent ground, with a
// rendition drawn at 34 x 32 for screens at twice the density.
platform::StdPicturePtr binocularsPicture();

} // namespace quillkit
