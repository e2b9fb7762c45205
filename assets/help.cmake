# WEB/help/: the help pages the menus and dialogs open, written by us, copied as they are.
file(GLOB HELP_PAGES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/help/*)
set(HELP_OUTPUTS)
foreach(page ${HELP_PAGES})
    get_filename_component(name ${page} NAME)
    set(output ${PROGRAM_FOLDER}/WEB/help/${name})
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROGRAM_FOLDER}/WEB/help
        COMMAND ${CMAKE_COMMAND} -E copy ${page} ${output}
        DEPENDS ${page}
        COMMENT "Copying help page ${name}"
        VERBATIM)
    list(APPEND HELP_OUTPUTS ${output})
endforeach()
add_custom_target(help_pages DEPENDS ${HELP_OUTPUTS})
add_dependencies(program_data help_pages)
