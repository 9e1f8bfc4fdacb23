# Writes a C++ source that holds the two dictionary streams as byte arrays.
#   cmake -DPINYIN=file -DIDIOMS=file -DOUTPUT=file.cpp -P EmbedStreams.cmake
# The output is rewritten only when its content changes.

function(quovant_byte_array path name out_var)
    file(READ "${path}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
    set(${out_var}
        "extern const unsigned char ${name}[] = {\n    ${bytes}\n};\nextern const std::size_t ${name}_SIZE = ${size};\n"
        PARENT_SCOPE)
endfunction()

foreach(var PINYIN IDIOMS OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "EmbedStreams.cmake: ${var} is not set")
    endif()
endforeach()

quovant_byte_array("${PINYIN}" PINYIN_STREAM pinyin)
quovant_byte_array("${IDIOMS}" IDIOM_STREAM idioms)
file(WRITE "${OUTPUT}.tmp"
    "// Generated from the dictionary streams; do not edit.\n"
    "#include \"embedded.h\"\n\n"
    "${pinyin}\n${idioms}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
