# Helpers of the install rules.

# How the build runs its own tools (registration, code and reference generators): each runs once
# and exits, so what Qt keeps until exit is no leak of ours, and a sanitized build's leak report
# of it is of no use.
set(QUILL_BUILD_TOOL_ENV ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0)

# Installed programs and libraries find the platform library relative to where they lie, so an
# installed tree may move: quill_install_rpath(<target> <install dir of the target>).
function(quill_install_rpath target dir)
    file(RELATIVE_PATH to_libdir /root/${dir} /root/${CMAKE_INSTALL_LIBDIR})
    if(to_libdir STREQUAL "")
        set(to_libdir .)
    endif()
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${to_libdir}")
endfunction()

# The machine-wide registration file of a control library, written at build time from the
# library's own type library and installed into the classes folder; it names the library by
# its path below the prefix. quill_register_machine_wide(<library target> <file name>)
function(quill_register_machine_wide library name)
    set(file ${PROJECT_BINARY_DIR}/share/quill/classes/${name})
    file(RELATIVE_PATH prefix_from_file /root/${QUILL_CLASSES_INSTALL_DIR} /root)
    add_custom_command(
        OUTPUT ${file}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/share/quill/classes
        COMMAND ${QUILL_BUILD_TOOL_ENV}
            $<TARGET_FILE:quill-regsvr> --machine-file $<TARGET_FILE:${library}> ${file}
            ${QUILL_MODULES_INSTALL_DIR}/$<TARGET_FILE_NAME:${library}> ${prefix_from_file}
        DEPENDS ${library} quill-regsvr
        COMMENT "Writing the machine-wide registration of ${library}")
    add_custom_target(${library}Registration ALL DEPENDS ${file})
    install(FILES ${file} DESTINATION ${QUILL_CLASSES_INSTALL_DIR})
endfunction()
