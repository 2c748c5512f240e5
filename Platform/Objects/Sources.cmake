list(APPEND PLATFORM_SOURCES
    Objects/Dispatch.cpp
    Objects/Guid.cpp
    Objects/PropertyBag.cpp
    Objects/StdFont.cpp
    Objects/StdPicture.cpp
    Objects/TypeInfo.cpp
)
list(APPEND OBJECTS_TESTS
    Objects/Guid_test.cpp
    Objects/PropertyBag_test.cpp
    Objects/StdFont_test.cpp
    Objects/StdPicture_test.cpp
)
