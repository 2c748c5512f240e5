# The C++ reference of the platform library: Doxygen over the public headers, as they are
# installed. The build (and the target docs-api alone) writes it to <build>/docs/api/html. The test
# Docs.TheApiReferenceBuildsWithoutWarnings runs the same configuration into a folder of its own,
# so that a public class without its comment, a reference that leads nowhere or a malformed
# comment fails the suite. The installation carries the reference when it has been built (always,
# where Doxygen is installed).

find_package(Doxygen QUIET)

# Exactly the headers Platform/CMakeLists.txt installs, through the build tree's links.
set(QUILL_API_DOCS_INPUT)
foreach(folder ${QUILL_PUBLIC_FOLDERS})
    string(APPEND QUILL_API_DOCS_INPUT " \"${QUILL_INCLUDE_DIR}/Quillkit/${folder}\"")
endforeach()
string(APPEND QUILL_API_DOCS_INPUT " \"${QUILL_INCLUDE_DIR}/Quillkit/QuillPlatformExport.h\"")
string(APPEND QUILL_API_DOCS_INPUT " \"${PROJECT_SOURCE_DIR}/docs/api/MainPage.md\"")
string(APPEND QUILL_API_DOCS_INPUT " \"${PROJECT_SOURCE_DIR}/docs/api/platform.dox\"")

set(QUILL_API_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/docs/api)
configure_file(${PROJECT_SOURCE_DIR}/docs/api/Doxyfile.in ${PROJECT_BINARY_DIR}/docs/Doxyfile
    @ONLY)
# The test's run: the same settings, written elsewhere so that it never races the target's.
file(WRITE ${PROJECT_BINARY_DIR}/docs/Doxyfile.test
    "@INCLUDE = \"${PROJECT_BINARY_DIR}/docs/Doxyfile\"\n"
    "OUTPUT_DIRECTORY = \"${PROJECT_BINARY_DIR}/docs/api-test\"\n")
# The build's run writes the reference whatever the comments hold, so that a missing comment
# fails the suite's test, not the build, and an installation always carries the reference.
file(WRITE ${PROJECT_BINARY_DIR}/docs/Doxyfile.build
    "@INCLUDE = \"${PROJECT_BINARY_DIR}/docs/Doxyfile\"\n"
    "WARN_AS_ERROR = NO\n"
    "WARNINGS = NO\n"
    "WARN_IF_UNDOCUMENTED = NO\n")

if(DOXYGEN_FOUND)
    file(GLOB_RECURSE api_headers CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/Platform/Value/*.h ${PROJECT_SOURCE_DIR}/Platform/Objects/*.h
        ${PROJECT_SOURCE_DIR}/Platform/System/*.h ${PROJECT_SOURCE_DIR}/Platform/Controls/*.h
        ${PROJECT_SOURCE_DIR}/Platform/Hosting/*.h)
    # A run that stops on a warning leaves no stamp, so the next build runs it again.
    set(stamp ${PROJECT_BINARY_DIR}/docs/api.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${QUILL_API_DOCS_OUTPUT}/html ${stamp}
        COMMAND ${DOXYGEN_EXECUTABLE} -q ${PROJECT_BINARY_DIR}/docs/Doxyfile.build
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${api_headers} ${PROJECT_SOURCE_DIR}/Platform/QuillPlatformExport.h
            ${PROJECT_SOURCE_DIR}/docs/api/MainPage.md ${PROJECT_SOURCE_DIR}/docs/api/platform.dox
            ${PROJECT_BINARY_DIR}/docs/Doxyfile ${PROJECT_BINARY_DIR}/docs/Doxyfile.build
        COMMENT "Writing the platform's C++ reference to ${QUILL_API_DOCS_OUTPUT}/html"
        VERBATIM)
    add_custom_target(docs-api ALL DEPENDS ${stamp})
else()
    message(STATUS "doxygen not found: docs-api cannot run and the reference's test is skipped")
    add_custom_target(docs-api
        COMMAND ${CMAKE_COMMAND} -E echo "docs-api needs doxygen (scripts/setup installs it)"
        COMMAND ${CMAKE_COMMAND} -E false
        VERBATIM)
endif()

if(QUILL_BUILD_TESTS)
    if(DOXYGEN_FOUND)
        add_test(NAME Docs.TheApiReferenceBuildsWithoutWarnings
            COMMAND ${DOXYGEN_EXECUTABLE} ${PROJECT_BINARY_DIR}/docs/Doxyfile.test)
        # Also when a Doxygen that does not stop on warnings runs it.
        set_tests_properties(Docs.TheApiReferenceBuildsWithoutWarnings PROPERTIES
            FAIL_REGULAR_EXPRESSION "warning:|error:")
    else()
        add_test(NAME Docs.TheApiReferenceBuildsWithoutWarnings
            COMMAND ${CMAKE_COMMAND} -E echo "doxygen is not installed")
        set_tests_properties(Docs.TheApiReferenceBuildsWithoutWarnings PROPERTIES
            SKIP_REGULAR_EXPRESSION "doxygen is not installed")
    endif()
endif()

add_dependencies(docs docs-api)
install(DIRECTORY ${QUILL_API_DOCS_OUTPUT}/html/
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillkit/api/html OPTIONAL)
