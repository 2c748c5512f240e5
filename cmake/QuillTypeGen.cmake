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
    set(run)
    if(QUILL_SANITIZE OR QUILL_BUILD_FUZZ)
        # The tool runs once and exits; what Qt keeps until exit is no leak of ours.
        set(run ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0)
    endif()
    add_custom_command(OUTPUT ${stamp}
        BYPRODUCTS ${output}
        COMMAND ${run} $<TARGET_FILE:quill-typegen> --ids $<TARGET_FILE:${library}> ${output}
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
