# Writes a C++ source that holds dictionary streams as byte arrays.
#   cmake "-DSTREAMS=NAME=file;..." -DOUTPUT=file.cpp [-DDAMAGE=NAME=OFFSET^MASK] -P EmbedStreams.cmake
# Each stream becomes `NAME[]` and `NAME_SIZE`. A damage setting XORs the
# byte at OFFSET of stream NAME with the hexadecimal MASK, for test builds of
# a library whose stream is broken. The output is rewritten only when its
# content changes.

function(quovant_byte_array path name damage out_var)
    file(READ "${path}" hex HEX)
    if(damage MATCHES "^([0-9]+)\\^([0-9A-Fa-f][0-9A-Fa-f])$")
        math(EXPR at "${CMAKE_MATCH_1} * 2")
        string(SUBSTRING "${hex}" ${at} 2 byte)
        math(EXPR byte "0x${byte} ^ 0x${CMAKE_MATCH_2}" OUTPUT_FORMAT HEXADECIMAL)
        string(REGEX REPLACE "^0x" "" byte "${byte}")
        string(LENGTH "${byte}" digits)
        if(digits EQUAL 1)
            set(byte "0${byte}")
        endif()
        math(EXPR after "${at} + 2")
        string(SUBSTRING "${hex}" 0 ${at} head)
        string(SUBSTRING "${hex}" ${after} -1 tail)
        set(hex "${head}${byte}${tail}")
    elseif(damage)
        message(FATAL_ERROR "EmbedStreams.cmake: damage must be NAME=OFFSET^MASK, not ${damage}")
    endif()
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
    set(${out_var}
        "extern const unsigned char ${name}[] = {\n    ${bytes}\n};\nextern const std::size_t ${name}_SIZE = ${size};\n"
        PARENT_SCOPE)
endfunction()

foreach(var STREAMS OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "EmbedStreams.cmake: ${var} is not set")
    endif()
endforeach()

set(arrays "")
foreach(stream IN LISTS STREAMS)
    string(REGEX MATCH "^([A-Z_]+)=(.+)$" matched "${stream}")
    if(NOT matched)
        message(FATAL_ERROR "EmbedStreams.cmake: a stream must be NAME=file, not ${stream}")
    endif()
    set(name ${CMAKE_MATCH_1})
    set(path ${CMAKE_MATCH_2})
    set(damage "")
    if(DAMAGE MATCHES "^${name}=(.+)$")
        set(damage ${CMAKE_MATCH_1})
    endif()
    quovant_byte_array("${path}" ${name} "${damage}" array)
    string(APPEND arrays "\n${array}")
endforeach()
file(WRITE "${OUTPUT}.tmp"
    "// Generated from the dictionary streams; do not edit.\n"
    "#include <cstddef>\n${arrays}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
