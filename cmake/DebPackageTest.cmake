# Builds the Debian package from the build tree and checks its contents and dependencies
# without installing it.
#   cmake -DCPACK=<cpack> -DBUILD_DIR=<build tree> -DWORK_DIR=<scratch folder>
#         [-DEXPECTED_TOO=<further paths the package must hold, separated by |>]
#         -P DebPackageTest.cmake
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" EXPECTED_TOO "${EXPECTED_TOO}")
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB -B ${WORK_DIR} --config ${BUILD_DIR}/CPackConfig.cmake
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${out}\n${err}")
endif()
file(GLOB debs ${WORK_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()

execute_process(COMMAND dpkg-deb --contents ${debs} OUTPUT_VARIABLE listing
    COMMAND_ERROR_IS_FATAL ANY)
foreach(expected
        "./usr/lib/libQuillPlatform.so.1.0.1"
        "./usr/lib/libQuillPlatform.so.1 -> libQuillPlatform.so.1.0.1"
        "./usr/lib/libQuillPlatform.so -> libQuillPlatform.so.1"
        "./usr/include/Quillkit/QuillPlatformExport.h"
        "./usr/include/Quillkit/Hosting/HostForm.h"
        "./usr/include/Quillkit/Objects/Dispatch.h"
        "./usr/include/Quillkit/QuillkitMembers.h"
        "./usr/lib/libQuillkitWidgets.so.1.0.1"
        "./usr/lib/libQuillkitWidgets.so.1 -> libQuillkitWidgets.so.1.0.1"
        "./usr/lib/libQuillkitWidgets.so -> libQuillkitWidgets.so.1"
        "./usr/include/Quillkit/Widgets/QuillkitWidgets.h"
        "./usr/include/Quillkit/Widgets/QuillComboBoxWidget.h"
        "./usr/include/Quillkit/Widgets/QuillInputBoxWidget.h"
        "./usr/include/Quillkit/Widgets/QuillFormWidget.h"
        "./usr/include/Quillkit/Widgets/QuillPictureBoxWidget.h"
        "./usr/bin/quill-regsvr"
        "./usr/bin/quill-typegen"
        "./usr/bin/QuillkitTest -> ../lib/quillkit/demo/QuillkitTest"
        "./usr/lib/quillkit/demo/QuillkitTest"
        "./usr/lib/quillkit/demo/TestForm"
        "./usr/lib/quillkit/demo/ChartSample.jpg"
        "./usr/lib/quill/controls/Quillkit.so"
        "./usr/share/quill/classes/Quillkit.json"
        "./usr/lib/cmake/Quillkit/QuillkitConfig.cmake"
        "./usr/lib/cmake/Quillkit/QuillkitConfigVersion.cmake"
        "./usr/lib/cmake/Quillkit/QuillkitTargets.cmake"
        "./usr/share/doc/quillkit/reference/index.html"
        "./usr/share/doc/quillkit/reference/QuillComboBox.html"
        "./usr/share/doc/quillkit/reference/pictures/QuillComboBox-search-panel.png"
        "./usr/share/doc/quillkit/reference/pictures/QuillComboBox-search-panel@2x.png"
        ${EXPECTED_TOO})
    string(FIND "${listing}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package lacks ${expected}:\n${listing}")
    endif()
endforeach()
foreach(unexpected "TestSupport" "_test." "TestModule" "/build/" "Widget.cpp")
    string(FIND "${listing}" "${unexpected}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "the package holds ${unexpected}:\n${listing}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb --field ${debs} Package Version Depends OUTPUT_VARIABLE fields
    COMMAND_ERROR_IS_FATAL ANY)
foreach(expected "Package: quillkit" "Version: 1." "libqt6widgets6" "libqt6gui6" "libqt6core6")
    string(FIND "${fields}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package's fields lack ${expected}:\n${fields}")
    endif()
endforeach()
message(STATUS "${debs}:\n${fields}")
