# Writes the 781 random numbers of the Polyglot key, read from the format description, as a C++
# header. Run with -DINPUT=<book_format.html> -DOUTPUT=<header>.
file(READ ${INPUT} description)
# The table is the only place where the document writes 64-bit constants.
string(REGEX MATCHALL "U64\\(0x[0-9A-Fa-f]+\\)" constants "${description}")
list(LENGTH constants count)
if(NOT count EQUAL 781)
    message(FATAL_ERROR "${INPUT}: expected 781 random numbers, found ${count}")
endif()
set(body "")
foreach(constant ${constants})
    string(REGEX REPLACE "U64\\((0x[0-9A-Fa-f]+)\\)" "\\1" number "${constant}")
    string(APPEND body "    ${number}ull,\n")
endforeach()
file(WRITE ${OUTPUT}.tmp
    "// Generated from ${INPUT}; do not edit.\n"
    "#pragma once\n\n#include <cstdint>\n\n"
    "inline constexpr uint64_t PolyglotRandom[781] = {\n${body}};\n")
# Unchanged contents keep the time stamp, so the library is not rebuilt for nothing.
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
