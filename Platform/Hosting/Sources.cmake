list(APPEND PLATFORM_SOURCES
    Hosting/ComponentHost.cpp
    Hosting/ControlSite.cpp
    Hosting/ControlWidget.cpp
    Hosting/ErrorInfo.cpp
    Hosting/Extender.cpp
    Hosting/FormDispatch.cpp
    Hosting/FormFile.cpp
    Hosting/HostForm.cpp
    Hosting/LibraryDescriptor.cpp
    Hosting/Registry.cpp
    Hosting/ServerRegistration.cpp
    Hosting/StandardControls.cpp
    Hosting/TypedValues.cpp
    Hosting/UserControl.cpp
)
list(APPEND HOSTING_TESTS
    Hosting/ControlWidget_test.cpp
    Hosting/FormFile_test.cpp
    Hosting/HostForm_test.cpp
    Hosting/Registration_test.cpp
)
