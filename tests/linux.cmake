# Linux: the shared object's exports, the quovant tool and the Qt window as
# programs, the run command, set-up's helpers and the freshness of the
# committed streams. Included from tests/CMakeLists.txt.

# The shared object exports exactly GetIdioms, InitIdioms and the idiom knowledge.
add_test(NAME exports_libQuovant
    COMMAND sh -c "nm -D --defined-only --format=posix \"$1\" | cut -d' ' -f1 | LC_ALL=C sort | tr '\\n' ' '"
            sh $<TARGET_FILE:Quovant>)
set_tests_properties(exports_libQuovant PROPERTIES PASS_REGULAR_EXPRESSION
    "^GetIdiomCandidates GetIdiomChain GetIdiomCount GetIdiomFacts GetIdiomFactsAt GetIdioms HasIdiomMeanings InitIdioms[ \n]*$")

# The quovant tool as a user runs it: streams, arguments and exit codes.
quovant_add_test(test_cli test_cli.cpp program_posix.cpp)
add_dependencies(test_cli quovant Quovant)
target_compile_definitions(test_cli PRIVATE QUOVANT_PROGRAM="$<TARGET_FILE:quovant>")

# The Qt window in-process, and its processes in a real X server.
add_subdirectory(qt)

# The README's run command on a machine without a display, with the shared
# answers: 艾 finds nothing.
quovant_example(AFTER_YI after_yi)
quovant_example(AFTER_LV after_lv)
add_test(NAME run_without_display
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/run_without_display.sh ${PROJECT_SOURCE_DIR}
            一心一意 ${after_yi} lv ${after_lv} 艾 "")
set_tests_properties(run_without_display PROPERTIES RUN_SERIAL ON TIMEOUT 600)

# Set-up's apt entries (deb-src, and deb for the emulated machine), derived
# from sample apt configurations.
add_test(NAME apt_entries COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/test_apt_entries.py)

# The committed streams must be exactly what the generator makes of the
# committed text sources.
add_test(NAME streams_fresh
    COMMAND ${CMAKE_COMMAND} -DGENERATOR=$<TARGET_FILE:make_streams>
            -DDATA_DIR=${PROJECT_SOURCE_DIR}/library/data -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/streams_fresh
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckStreams.cmake)

# The install and the Debian package made from it.
add_test(NAME package COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package_test.sh ${PROJECT_BINARY_DIR})
set_tests_properties(package PROPERTIES RUN_SERIAL ON TIMEOUT 600)
