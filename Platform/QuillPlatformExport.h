#pragma once

#include <QtCore/qcompilerdetection.h>

// What the platform library exports: the classes and functions of its public headers, and
// nothing else. Everything else in it is hidden, so that hosts bind to its API alone.
#if defined(QUILL_BUILDING_PLATFORM)
#define QUILL_PLATFORM_EXPORT Q_DECL_EXPORT
#else
#define QUILL_PLATFORM_EXPORT Q_DECL_IMPORT
#endif
