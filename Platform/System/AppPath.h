#pragma once

#include <QString>

namespace platform {

// App.Path: the folder of the running program, without a trailing separator.
QString appPath();

} // namespace platform
