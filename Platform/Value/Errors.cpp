#include "Errors.h"

namespace platform {

QString errorText(int32_t number)
{
    switch (static_cast<ErrorNumber>(number)) {
    case ErrorNumber::InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case ErrorNumber::Overflow:
        return QStringLiteral("Overflow");
    case ErrorNumber::OutOfMemory:
        return QStringLiteral("Out of memory");
    case ErrorNumber::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case ErrorNumber::ErrorInLoadingDll:
        return QStringLiteral("Error in loading DLL");
    case ErrorNumber::FileNotFound:
        return QStringLiteral("File not found");
    case ErrorNumber::PathFileAccessError:
        return QStringLiteral("Path/File access error");
    case ErrorNumber::ObjectVariableNotSet:
        return QStringLiteral("Object variable not set");
    case ErrorNumber::InvalidUseOfNull:
        return QStringLiteral("Invalid use of Null");
    case ErrorNumber::InvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case ErrorNumber::InvalidPropertyArrayIndex:
        return QStringLiteral("Invalid property array index");
    case ErrorNumber::CantCreateObject:
        return QStringLiteral("Component can't create object");
    case ErrorNumber::ObjectDoesntSupport:
        return QStringLiteral("Object doesn't support this property or method");
    case ErrorNumber::WrongNumberOfArguments:
        return QStringLiteral("Wrong number of arguments or invalid property assignment");
    case ErrorNumber::InvalidFileFormat:
        return QStringLiteral("Invalid file format");
    case ErrorNumber::CantFindDllEntryPoint:
        return QStringLiteral("Can't find DLL entry point");
    case ErrorNumber::InvalidPicture:
        return QStringLiteral("Invalid picture");
    }
    return QStringLiteral("Application-defined or object-defined error");
}

} // namespace platform
