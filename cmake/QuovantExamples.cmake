# quovant_example(NAME VAR): the shared answer NAME of examples.h as the
# command-line tool prints it, without a last space, for the tests that run
# programs from CMake.
function(quovant_example name var)
    file(STRINGS ${PROJECT_SOURCE_DIR}/tests/examples.h line REGEX "${name} = " ENCODING UTF-8)
    string(REGEX REPLACE ".*\"(.*[^ ]) ?\".*" "\\1" line "${line}")
    set(${var} "${line}" PARENT_SCOPE)
endfunction()
