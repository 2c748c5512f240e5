list(APPEND PLATFORM_SOURCES
    System/ApiTable.cpp
    System/AppPath.cpp
    System/AreaAverage.cpp
    System/DeviceContexts.cpp
    System/Gdi32.cpp
    System/LoadPicture.cpp
    System/PersistentImage.cpp
    System/ProcessInfo.cpp
    System/ReducedCopies.cpp
    System/Regions.cpp
    System/SettingsFile.cpp
    System/SettingsStore.cpp
    System/User32.cpp
    System/WindowHandles.cpp
)
list(APPEND SYSTEM_TESTS
    System/ApiTable_test.cpp
    System/AppPath_test.cpp
    System/AreaAverage_test.cpp
    System/Gdi32_test.cpp
    System/LoadPicture_test.cpp
    System/PersistentImage_test.cpp
    System/ReducedCopies_test.cpp
    System/SettingsFile_test.cpp
    System/SettingsStore_test.cpp
    System/User32_test.cpp
)
