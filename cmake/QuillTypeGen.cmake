# quill_generate_ids(<library target> <header name> [TARGET <name>] [INCLUDE_DIR <dir>])
#
# Writes <dir>/Quillkit/<header name> (dir: QUILL_INCLUDE_DIR unless given) with quill-typegen
# from the type library of <library target>, after the library is built and whenever it is
# rebuilt. The header is rewritten only when its text changes, so a rebuilt library whose ids
# stayed the same rebuilds nothing that includes it. <name> (the header name without its
# extension unless given) is an INTERFACE target: link it to include the header as
# <Quillkit/<header name>>. Its property QUILL_GENERATED_HEADER holds the header's path.
function(quill_generate_ids library header)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "TARGET;INCLUDE_DIR" "")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "quill_generate_ids: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT arg_TARGET)
        get_filename_component(arg_TARGET ${header} NAME_WLE)
    endif()
    if(NOT arg_INCLUDE_DIR)
        set(arg_INCLUDE_DIR ${QUILL_INCLUDE_DIR})
    endif()
    set(output ${arg_INCLUDE_DIR}/Quillkit/${header})
    # The command's own output is a stamp: the header keeps its time when its text is the same.
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${arg_TARGET}.stamp)
    add_custom_command(OUTPUT ${stamp}
        BYPRODUCTS ${output}
        COMMAND ${QUILL_BUILD_TOOL_ENV}
            $<TARGET_FILE:quill-typegen> --ids $<TARGET_FILE:${library}> ${output}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS quill-typegen ${library}
        COMMENT "Writing the ids of ${library} to Quillkit/${header}"
        VERBATIM)
    add_custom_target(${arg_TARGET}_generate ALL DEPENDS ${stamp})

    add_library(${arg_TARGET} INTERFACE)
    target_include_directories(${arg_TARGET} INTERFACE $<BUILD_INTERFACE:${arg_INCLUDE_DIR}>)
    add_dependencies(${arg_TARGET} ${arg_TARGET}_generate)
    set_target_properties(${arg_TARGET} PROPERTIES QUILL_GENERATED_HEADER ${output})
endfunction()

# quill_generate_widgets(<library target> <output target> CLASSES <class>...
#                        [STATIC] [INCLUDE_SUBDIR <dir>])
#
# Writes with quill-typegen a typed widget per creatable class of the type library of
# <library target> (<class>Widget.h and .cpp) and <Library>Widgets.h, which includes them all,
# into <binary dir>/<output target>/include/<dir> (dir: Quillkit/Widgets unless given), after the
# library is built and whenever it is rebuilt; files whose text stays the same keep their time.
# <output target> is a library of those widgets (SHARED unless STATIC is given), moc'd by
# AUTOMOC, that links QuillPlatform and never the control library: its widgets create their
# controls by class id. Its headers are included as <dir/<class>Widget.h>. The build names its
# sources beforehand, so CLASSES lists the library's creatable classes, spelt as the generated
# file names spell them; the tool stops the build when they are not exactly those. The target's
# property QUILL_WIDGETS_DIR holds the folder of the generated files.
function(quill_generate_widgets library target)
    cmake_parse_arguments(PARSE_ARGV 2 arg "STATIC" "INCLUDE_SUBDIR" "CLASSES")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "quill_generate_widgets: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT arg_CLASSES)
        message(FATAL_ERROR "quill_generate_widgets: CLASSES names no class")
    endif()
    if(NOT arg_INCLUDE_SUBDIR)
        set(arg_INCLUDE_SUBDIR Quillkit/Widgets)
    endif()
    set(root ${CMAKE_CURRENT_BINARY_DIR}/${target}/include)
    set(dir ${root}/${arg_INCLUDE_SUBDIR})
    set(sources)
    foreach(class ${arg_CLASSES})
        list(APPEND sources ${dir}/${class}Widget.h ${dir}/${class}Widget.cpp)
    endforeach()
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.stamp)
    add_custom_command(OUTPUT ${stamp}
        BYPRODUCTS ${sources}
        COMMAND ${QUILL_BUILD_TOOL_ENV}
            $<TARGET_FILE:quill-typegen> --widgets $<TARGET_FILE:${library}> ${dir}
            ${arg_CLASSES}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS quill-typegen ${library}
        COMMENT "Writing the typed widgets of ${library} to ${arg_INCLUDE_SUBDIR}"
        VERBATIM)
    add_custom_target(${target}_generate DEPENDS ${stamp})

    if(arg_STATIC)
        add_library(${target} STATIC ${sources})
        set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    else()
        add_library(${target} SHARED ${sources})
    endif()
    add_dependencies(${target} ${target}_generate)
    target_link_libraries(${target} PUBLIC QuillPlatform)
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
    set_target_properties(${target} PROPERTIES AUTOMOC ON QUILL_WIDGETS_DIR ${dir})
endfunction()
