# ECO.TXT: the opening table, converted from Debian's scid-data opening list.
set(SCID_ECO_SOURCE /usr/share/scid/data/scid.eco CACHE FILEPATH "scid.eco opening list")

add_executable(make_eco ${CMAKE_CURRENT_LIST_DIR}/tools/make_eco.cpp)
target_link_libraries(make_eco PRIVATE kessrin)
set_target_properties(make_eco PROPERTIES AUTOMOC OFF)

add_custom_command(
    OUTPUT ${PROGRAM_FOLDER}/ECO.TXT
    COMMAND make_eco ${SCID_ECO_SOURCE} ${PROGRAM_FOLDER}/ECO.TXT
    DEPENDS make_eco ${SCID_ECO_SOURCE}
    COMMENT "Generating ECO.TXT from scid.eco"
    VERBATIM)
add_custom_target(eco_table DEPENDS ${PROGRAM_FOLDER}/ECO.TXT)
add_dependencies(program_data eco_table)
