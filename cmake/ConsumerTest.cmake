# Installs the build into a fresh prefix, builds the example host and the Designer form example
# there against the installed package alone, and runs them headless with no registration but
# the machine-wide one; the form example loads its .ui also through the installed Designer
# plugin.
#   cmake -DBUILD_DIR=<build tree> -DEXAMPLE_DIR=<examples/host> -DWORK_DIR=<scratch folder>
#         [-DFORM_EXAMPLE_DIR=<examples/form> -DDESIGNER_PLUGINS=<plugins folder below the prefix>]
#         -P ConsumerTest.cmake
cmake_minimum_required(VERSION 3.25)

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${what} failed (${status}):\n${out}\n${err}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

# The README shows the example as it is.
file(READ ${EXAMPLE_DIR}/main.cpp example)
file(READ ${EXAMPLE_DIR}/../../README.md readme)
string(FIND "${readme}" "${example}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "README.md does not hold examples/host/main.cpp as it is")
endif()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# Only the public headers, and no path back into the source or build tree.
foreach(absent include/Quillkit/TestSupport include/Quillkit/Hosting/HostForm_test.cpp)
    if(EXISTS ${prefix}/${absent})
        message(FATAL_ERROR "installed ${absent}")
    endif()
endforeach()
file(GLOB_RECURSE package_files ${prefix}/lib/cmake/Quillkit/*.cmake)
foreach(package_file ${package_files})
    file(READ ${package_file} text)
    foreach(tree ${BUILD_DIR} ${EXAMPLE_DIR}/../..)
        get_filename_component(tree ${tree} REALPATH)
        string(FIND "${text}" "${tree}" at)
        if(NOT at EQUAL -1)
            message(FATAL_ERROR "${package_file} names ${tree}")
        endif()
    endforeach()
endforeach()

run("configure the example" ${CMAKE_COMMAND} -S ${EXAMPLE_DIR} -B ${WORK_DIR}/build -G Ninja
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF)
run("build the example" ${CMAKE_COMMAND} --build ${WORK_DIR}/build -j 2)

# A user who never registered anything: an empty home, the installation's data folder only.
set(home ${WORK_DIR}/home)
file(MAKE_DIRECTORY ${home})
run("run the example" ${CMAKE_COMMAND} -E env --unset=QUILL_REGISTRY --unset=QUILL_SETTINGS_DIR
    --unset=XDG_DATA_HOME HOME=${home} XDG_DATA_DIRS=${prefix}/share QT_QPA_PLATFORM=offscreen
    ${WORK_DIR}/build/quillkit-host-example ${WORK_DIR}/ExampleForm.frm)
message(STATUS "example said:\n${output}")
foreach(expected "Fruit: Grape of 3 items" "Amount: " "events received")
    string(FIND "${output}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the example did not say \"${expected}\"")
    endif()
endforeach()
file(READ ${WORK_DIR}/ExampleForm.frm saved)
foreach(expected "Quillkit.QuillComboBox" "Quillkit.QuillInputBox" "Fruit" "Amount")
    string(FIND "${saved}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the saved form lacks \"${expected}\":\n${saved}")
    endif()
endforeach()
if(EXISTS ${home}/.local/share/quill/registry.json)
    message(FATAL_ERROR "the example registered something for the user")
endif()

if(NOT FORM_EXAMPLE_DIR)
    return()
endif()
if(NOT EXISTS ${prefix}/${DESIGNER_PLUGINS}/designer/libquillkitdesigner.so)
    message(FATAL_ERROR "the Designer plugin is not in ${DESIGNER_PLUGINS}/designer")
endif()
run("configure the form example" ${CMAKE_COMMAND} -S ${FORM_EXAMPLE_DIR} -B ${WORK_DIR}/form
    -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF)
run("build the form example" ${CMAKE_COMMAND} --build ${WORK_DIR}/form -j 2)
foreach(made "" --loader)
    run("run the form example ${made}" ${CMAKE_COMMAND} -E env --unset=QUILL_REGISTRY
        --unset=QUILL_SETTINGS_DIR --unset=XDG_DATA_HOME HOME=${home}
        XDG_DATA_DIRS=${prefix}/share QT_QPA_PLATFORM=offscreen
        QT_PLUGIN_PATH=${prefix}/${DESIGNER_PLUGINS}
        ${WORK_DIR}/form/quillkit-form-example ${made} --report)
    message(STATUS "the form example ${made} said:\n${output}")
    foreach(expected "fruit: searching for \"ap\"" "amount: 1234.5 in INPUT_CURRENCY")
        string(FIND "${output}" "${expected}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "the form example ${made} did not say \"${expected}\"")
        endif()
    endforeach()
endforeach()
