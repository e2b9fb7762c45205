# ENDGAMES/*.EPD: the puzzle series, converted from the classic problem collections that
# Debian's pychess package carries (unpacked, not installed, by scripts/install-deps.sh).
set(QUORVIN_PUZZLE_FOLDERS /usr/share/pychess/learn/puzzles
    /usr/local/share/quorvin/pychess/usr/share/pychess/learn/puzzles)
set(QUORVIN_PUZZLE_SOURCE "" CACHE PATH "Folder of the problem collections (*.olv)")
if(NOT QUORVIN_PUZZLE_SOURCE)
    foreach(folder ${QUORVIN_PUZZLE_FOLDERS})
        if(EXISTS ${folder}/loyd.olv)
            set(QUORVIN_PUZZLE_SOURCE ${folder} CACHE PATH "Folder of the problem collections (*.olv)" FORCE)
            break()
        endif()
    endforeach()
endif()
file(GLOB PUZZLE_COLLECTIONS ${QUORVIN_PUZZLE_SOURCE}/*.olv)
if(NOT PUZZLE_COLLECTIONS)
    message(FATAL_ERROR "The problem collections (*.olv) of Debian's pychess package were not "
        "found in ${QUORVIN_PUZZLE_FOLDERS}: run scripts/install-deps.sh")
endif()
list(SORT PUZZLE_COLLECTIONS)

set(PUZZLE_TOOL_SOURCES ${CMAKE_CURRENT_LIST_DIR}/tools/puzzle_convert.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tools/puzzle_convert.h)

# The conversion as a library, built like the rest, for the tests.
add_library(puzzle_convert STATIC ${PUZZLE_TOOL_SOURCES})
target_include_directories(puzzle_convert PUBLIC ${CMAKE_CURRENT_LIST_DIR}/tools)
target_link_libraries(puzzle_convert PUBLIC kessrin)
set_target_properties(puzzle_convert PROPERTIES AUTOMOC OFF)

# The build's own converter is always optimised and never instrumented: proving a few thousand
# mates under the sanitizers would take the better part of an hour.
file(GLOB PUZZLE_RULES_SOURCES ${CMAKE_SOURCE_DIR}/kessrin/*.cpp)
add_executable(make_puzzles ${CMAKE_CURRENT_LIST_DIR}/tools/make_puzzles.cpp
    ${PUZZLE_TOOL_SOURCES} ${PUZZLE_RULES_SOURCES})
target_include_directories(make_puzzles PRIVATE ${CMAKE_SOURCE_DIR}/kessrin
    ${CMAKE_CURRENT_LIST_DIR}/tools)
set_target_properties(make_puzzles PROPERTIES AUTOMOC OFF
    COMPILE_OPTIONS "-O2;-Wall;-Wextra" LINK_OPTIONS "")

set(PUZZLE_FILES)
foreach(series 2 3 4 5 1 0)
    set(output ${PROGRAM_FOLDER}/ENDGAMES/${series}.EPD)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROGRAM_FOLDER}/ENDGAMES
        COMMAND make_puzzles ${series} ${output} ${PUZZLE_COLLECTIONS}
        DEPENDS make_puzzles ${PUZZLE_COLLECTIONS}
        COMMENT "Converting the puzzle series ${series}.EPD"
        VERBATIM)
    list(APPEND PUZZLE_FILES ${output})
endforeach()
add_custom_target(puzzle_series DEPENDS ${PUZZLE_FILES})
add_dependencies(program_data puzzle_series)
