# The CMake package: find_package(Quillkit) gives Quillkit::Platform. And the Debian package of
# the whole installation.
include(CMakePackageConfigHelpers)

install(EXPORT QuillkitTargets
    NAMESPACE Quillkit::
    FILE QuillkitTargets.cmake
    DESTINATION ${QUILL_CMAKE_INSTALL_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuillkitConfig.cmake.in
    ${PROJECT_BINARY_DIR}/QuillkitConfig.cmake
    INSTALL_DESTINATION ${QUILL_CMAKE_INSTALL_DIR}
    PATH_VARS QUILL_MODULES_INSTALL_DIR)
# The soname changes with the major version, and so does what a consumer may ask for.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuillkitConfigVersion.cmake
    VERSION ${PROJECT_VERSION}
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuillkitConfig.cmake
    ${PROJECT_BINARY_DIR}/QuillkitConfigVersion.cmake
    DESTINATION ${QUILL_CMAKE_INSTALL_DIR})

set(CPACK_PACKAGE_NAME quillkit)
set(CPACK_PACKAGE_VENDOR "Quillkit")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop form controls on Qt 6 Widgets, hosted by class id")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillkit maintainers <maintainers@quillkit.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
# Qt's run-time libraries for the programs and libraries; its development files for those who
# build against the CMake package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libc6, libstdc++6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-base-dev (>= 6.4)")
include(CPack)

# The installed tree as a consumer sees it, and the package. Sanitized builds are left out: their
# libraries need the sanitizers' run-time in every program that links them.
if(QUILL_BUILD_TESTS AND NOT QUILL_SANITIZE AND NOT QUILL_SANITIZE_UNDEFINED_CLANG)
    set(form_example)
    if(TARGET QuillkitDesigner)
        set(form_example -DFORM_EXAMPLE_DIR=${PROJECT_SOURCE_DIR}/examples/form
            -DDESIGNER_PLUGINS=${QT6_INSTALL_PLUGINS})
    endif()
    add_test(NAME Install.AHostBuildsAgainstTheInstalledPackageAndRunsUnregistered
        COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR}
            -DEXAMPLE_DIR=${PROJECT_SOURCE_DIR}/examples/host ${form_example}
            -DWORK_DIR=${PROJECT_BINARY_DIR}/test-install
            -P ${CMAKE_CURRENT_LIST_DIR}/ConsumerTest.cmake)
    # What the package holds only where the build found Qt's Designer files and Doxygen.
    set(package_too)
    if(TARGET QuillkitDesigner)
        list(APPEND package_too ./usr/${QT6_INSTALL_PLUGINS}/designer/libquillkitdesigner.so)
    endif()
    if(DOXYGEN_FOUND)
        list(APPEND package_too ./usr/share/doc/quillkit/api/html/index.html)
    endif()
    list(JOIN package_too "|" package_too)
    set(package_too "-DEXPECTED_TOO=${package_too}")
    add_test(NAME Install.TheDebianPackageHoldsTheInstallation
        COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR}
            ${package_too}
            -DWORK_DIR=${PROJECT_BINARY_DIR}/test-package
            -P ${CMAKE_CURRENT_LIST_DIR}/DebPackageTest.cmake)
    set_tests_properties(Install.AHostBuildsAgainstTheInstalledPackageAndRunsUnregistered
        Install.TheDebianPackageHoldsTheInstallation PROPERTIES TIMEOUT 900)
endif()
