# Writes the rows of the lower-case table from Unicode's own character data: for every code point
# with a simple lower-case mapping (field 13 of UnicodeData.txt), the run it belongs to.
#
#   cmake -DUNICODE_DATA=<UnicodeData.txt> -DOUTPUT=<file> -P GenerateLowercase.cmake
#
# A run is a first code point, the distance to its lower case, a count and a stride: capitals that
# follow each other (A to Z) or alternate with their small letters (U+0100, U+0102, ...) and move
# by the same distance share one row. framework/SimpleLowercase.cpp reads the rows.

foreach(variable IN ITEMS UNICODE_DATA OUTPUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "Pass -D${variable}=<file>.")
    endif()
endforeach()

# Only the lines whose field 13 holds a code point; fields 1 to 12 are skipped whole (CMake's
# regular expressions have no counted repetition).
string(REPEAT "[^;]*;" 12 skipped)
set(mapping "^([0-9A-F]+);${skipped}([0-9A-F]+);")
file(STRINGS "${UNICODE_DATA}" lines REGEX "${mapping}")
if(NOT lines)
    message(FATAL_ERROR "${UNICODE_DATA} holds no lower-case mapping.")
endif()

# The count is one byte in the table; a longer run is split.
set(max_count 255)
set(rows "")
set(mappings 0)
set(run_count 0)

macro(end_run)
    if(run_count GREATER 0)
        math(EXPR first_hex "${run_first}" OUTPUT_FORMAT HEXADECIMAL)
        string(APPEND rows "    {${first_hex}, ${run_delta}, ${run_count}, ${run_stride}},\n")
    endif()
endmacro()

foreach(line IN LISTS lines)
    string(REGEX MATCH "${mapping}" ignored "${line}")
    math(EXPR code "0x${CMAKE_MATCH_1}")
    math(EXPR delta "0x${CMAKE_MATCH_2} - ${code}")
    math(EXPR mappings "${mappings} + 1")
    if(run_count GREATER 0 AND delta EQUAL run_delta AND run_count LESS max_count)
        math(EXPR step "${code} - ${run_last}")
        if(run_count EQUAL 1 AND (step EQUAL 1 OR step EQUAL 2))
            set(run_stride ${step})
        endif()
        if(step EQUAL run_stride)
            math(EXPR run_count "${run_count} + 1")
            set(run_last ${code})
            continue()
        endif()
    endif()
    end_run()
    set(run_first ${code})
    set(run_last ${code})
    set(run_delta ${delta})
    set(run_count 1)
    set(run_stride 1)
endforeach()
end_run()

file(WRITE "${OUTPUT}"
     "// Generated from UnicodeData.txt by cmake/GenerateLowercase.cmake (${mappings} mappings).\n"
     "// {first, delta, count, stride}\n"
     "${rows}")
