# Fails the build when a logic file includes anything of the window layer.
# Run with -DSOURCE_DIR=<checkout>.
file(GLOB_RECURSE logic_files
    ${SOURCE_DIR}/core/*.h ${SOURCE_DIR}/core/*.cpp ${SOURCE_DIR}/files/*.h ${SOURCE_DIR}/files/*.cpp
    ${SOURCE_DIR}/engine/*.h ${SOURCE_DIR}/engine/*.cpp ${SOURCE_DIR}/play/*.h ${SOURCE_DIR}/play/*.cpp
    ${SOURCE_DIR}/study/*.h ${SOURCE_DIR}/study/*.cpp ${SOURCE_DIR}/shell/*.h ${SOURCE_DIR}/shell/*.cpp)
set(offenders "")
foreach(file ${logic_files})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]gui/")
    if(lines)
        list(APPEND offenders ${file})
    endif()
endforeach()
if(offenders)
    list(JOIN offenders "\n  " listed)
    message(FATAL_ERROR "The logic may not include the window layer (gui/):\n  ${listed}")
endif()
