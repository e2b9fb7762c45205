# BOOK.BIN: the default opening book, compiled by Debian's polyglot from the named lines of the
# opening list (eco.cmake), each line one drawn game, so a move weighs as many lines as pass it.
find_program(QUORVIN_POLYGLOT polyglot PATHS /usr/games)
if(NOT QUORVIN_POLYGLOT)
    message(FATAL_ERROR "polyglot was not found: install the polyglot package")
endif()

set(BOOK_LINES ${CMAKE_CURRENT_BINARY_DIR}/book_lines.pgn)
add_custom_command(
    OUTPUT ${BOOK_LINES}
    COMMAND make_eco --lines ${SCID_ECO_SOURCE} ${BOOK_LINES}
    DEPENDS make_eco ${SCID_ECO_SOURCE}
    COMMENT "Writing the named opening lines as games"
    VERBATIM)
# Every named line counts, however rare: one game is enough for a move to stay in the book.
add_custom_command(
    OUTPUT ${PROGRAM_FOLDER}/BOOK.BIN
    COMMAND ${QUORVIN_POLYGLOT} make-book -pgn ${BOOK_LINES} -bin ${PROGRAM_FOLDER}/BOOK.BIN
        -min-game 1
    DEPENDS ${BOOK_LINES}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    COMMENT "Compiling BOOK.BIN with polyglot"
    VERBATIM)
add_custom_target(opening_book DEPENDS ${PROGRAM_FOLDER}/BOOK.BIN)
add_dependencies(program_data opening_book)
