#pragma once

#include "../QuillPlatformExport.h"

#include <QString>
#include <cstdint>

namespace platform {

/// The one catalogue of run-time error numbers. Every failure the platform or a control raises
/// uses one of these; hosts and saved code compare the numbers, so they never change.
enum class ErrorNumber : int32_t {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    TypeMismatch = 13,
    ErrorInLoadingDll = 48,
    FileNotFound = 53,
    PathFileAccessError = 75,
    ObjectVariableNotSet = 91,
    InvalidUseOfNull = 94,
    InvalidFileFormat = 321,
    InvalidPropertyValue = 380,
    InvalidPropertyArrayIndex = 381,
    CantCreateObject = 429,
    ObjectDoesntSupport = 438,
    WrongNumberOfArguments = 450,
    CantFindDllEntryPoint = 453,
    InvalidPicture = 481,
};

/// The catalogue text of a number; an unknown number gives "Application-defined or
/// object-defined error".
QUILL_PLATFORM_EXPORT QString errorText(int32_t number);

} // namespace platform
