#pragma once

#include "../QuillPlatformExport.h"

#include <QAccessible>

class QWidget;

namespace platform {

/// The role assistive technology reports for a widget whose own class says nothing about what
/// it shows: a composite control's surface, or a plain widget that draws a picture. The role
/// must be given before anything asks the widget for its accessible interface.
QUILL_PLATFORM_EXPORT void setAccessibleRole(QWidget *widget, QAccessible::Role role);

} // namespace platform
