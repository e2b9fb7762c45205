# WEB/: the site's own pages the help links open, and WEB/help/: the help pages the menus and
# dialogs open; all written by us and copied as they are.
function(quorvin_copy_pages target sources destination)
    file(GLOB pages CONFIGURE_DEPENDS ${sources})
    set(outputs)
    foreach(page ${pages})
        get_filename_component(name ${page} NAME)
        set(output ${destination}/${name})
        add_custom_command(OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${destination}
            COMMAND ${CMAKE_COMMAND} -E copy ${page} ${output}
            DEPENDS ${page}
            COMMENT "Copying page ${name}"
            VERBATIM)
        list(APPEND outputs ${output})
    endforeach()
    add_custom_target(${target} DEPENDS ${outputs})
    add_dependencies(program_data ${target})
endfunction()

quorvin_copy_pages(help_pages ${CMAKE_CURRENT_LIST_DIR}/help/* ${PROGRAM_FOLDER}/WEB/help)
quorvin_copy_pages(web_pages ${CMAKE_CURRENT_LIST_DIR}/web/*.htm ${PROGRAM_FOLDER}/WEB)
quorvin_copy_pages(base_pages ${CMAKE_CURRENT_LIST_DIR}/web/base/* ${PROGRAM_FOLDER}/WEB/base)
quorvin_copy_pages(user_pages ${CMAKE_CURRENT_LIST_DIR}/web/users/* ${PROGRAM_FOLDER}/WEB/users)
