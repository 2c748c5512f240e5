#pragma once

#include <QPalette>

namespace demo {

// A dark palette for the whole program (QuillkitTest --dark): light text on dark grounds for
// windows, buttons and input fields, and the toolkit's derived shades to match, so that one can
// see how the controls look to a user who runs a dark desktop.
QPalette darkPalette();

} // namespace demo
