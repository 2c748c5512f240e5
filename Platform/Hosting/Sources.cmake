list(APPEND PLATFORM_SOURCES
    Hosting/Dispatch.cpp
)
list(APPEND HOSTING_TESTS
)
