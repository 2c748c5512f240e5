#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/Dispatch.h"

#include <QString>
#include <QWidget>

namespace platform {

/// A standard control by the name of its kind (TextBox, ComboBox, ListBox, CommandButton,
/// PictureBox, Timer) on `parent`; nothing for an unknown kind.
QUILL_PLATFORM_EXPORT bool isStandardControlKind(const QString &kind);
QUILL_PLATFORM_EXPORT DispatchPtr createStandardControl(
    const QString &kind, QWidget *parent, const QString &name);

} // namespace platform
