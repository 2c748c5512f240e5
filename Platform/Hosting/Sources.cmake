list(APPEND PLATFORM_SOURCES
    Hosting/ComponentHost.cpp
    Hosting/ControlSite.cpp
    Hosting/Dispatch.cpp
    Hosting/ErrorInfo.cpp
    Hosting/Extender.cpp
    Hosting/FormDispatch.cpp
    Hosting/FormFile.cpp
    Hosting/Guid.cpp
    Hosting/HostForm.cpp
    Hosting/LibraryDescriptor.cpp
    Hosting/PropertyBag.cpp
    Hosting/Registry.cpp
    Hosting/ServerRegistration.cpp
    Hosting/StandardControls.cpp
    Hosting/TypeInfo.cpp
    Hosting/UserControl.cpp
)
list(APPEND HOSTING_TESTS
    Hosting/FormFile_test.cpp
    Hosting/Guid_test.cpp
    Hosting/HostForm_test.cpp
    Hosting/PropertyBag_test.cpp
    Hosting/Registration_test.cpp
)
