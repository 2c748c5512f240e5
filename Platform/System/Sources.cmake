list(APPEND PLATFORM_SOURCES
    System/DeviceContexts.cpp
    System/SettingsFile.cpp
    System/SettingsStore.cpp
)
list(APPEND SYSTEM_TESTS
    System/SettingsStore_test.cpp
)
