# The default engine: Debian's Stockfish, linked into the program folder as "stockfish".
set(DEFAULT_ENGINE /usr/games/stockfish)
if(NOT EXISTS ${DEFAULT_ENGINE})
    message(FATAL_ERROR "${DEFAULT_ENGINE} is missing: run scripts/install-deps.sh")
endif()
add_custom_command(OUTPUT ${PROGRAM_FOLDER}/stockfish
    COMMAND ${CMAKE_COMMAND} -E create_symlink ${DEFAULT_ENGINE} ${PROGRAM_FOLDER}/stockfish
    VERBATIM)
add_custom_target(default_engine DEPENDS ${PROGRAM_FOLDER}/stockfish)
add_dependencies(program_data default_engine)
