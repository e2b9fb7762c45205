# SOUNDS/: the sound effects, synthesised with SoX.

find_program(QUORVIN_SOX sox)
if(NOT QUORVIN_SOX)
    message(FATAL_ERROR "SoX's 'sox' was not found: install the sox package")
endif()

set(SOUND_FILES)
foreach(sound MOVE CAPTURE CHECK SPECIAL MOVE2 CAPTURE2 CHECK2 SPECIAL2 ILLEGAL WIN LOSS DRAW
        CLICK NEWGAME)
    list(APPEND SOUND_FILES ${PROGRAM_FOLDER}/SOUNDS/${sound}.WAV)
endforeach()
add_custom_command(
    OUTPUT ${SOUND_FILES}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/make_sounds.sh ${QUORVIN_SOX}
        ${PROGRAM_FOLDER}/SOUNDS
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/scripts/make_sounds.sh
    COMMENT "Synthesising the sound effects"
    VERBATIM)
add_custom_target(program_sounds DEPENDS ${SOUND_FILES})
add_dependencies(program_data program_sounds)
