# MUSICS/: the background music, written as note text in assets/music/*.txt and turned into
# Standard MIDI Files by our own small writer.

add_executable(make_midi ${CMAKE_CURRENT_SOURCE_DIR}/tools/make_midi.cpp)

file(GLOB TUNES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/music/*.txt)
set(MUSIC_FILES)
foreach(tune ${TUNES})
    get_filename_component(name ${tune} NAME_WE)
    set(midi ${PROGRAM_FOLDER}/MUSICS/${name}.MID)
    add_custom_command(
        OUTPUT ${midi}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROGRAM_FOLDER}/MUSICS
        COMMAND make_midi ${tune} ${midi}
        DEPENDS make_midi ${tune}
        COMMENT "Writing ${name}.MID"
        VERBATIM)
    list(APPEND MUSIC_FILES ${midi})
endforeach()
add_custom_target(program_music DEPENDS ${MUSIC_FILES})
add_dependencies(program_data program_music)
