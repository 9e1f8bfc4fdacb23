# Linux: the shared object's exports, the quovant tool and the Qt window as
# programs, the run command, set-up's helpers and the freshness of the
# committed streams. Included from tests/CMakeLists.txt.

# The shared object exports exactly the names of include/quovant_exports.h.
quovant_export_names(exports)
list(SORT exports)
list(JOIN exports " " exports)
add_test(NAME exports_libQuovant
    COMMAND sh -c "nm -D --defined-only --format=posix \"$1\" | cut -d' ' -f1 | LC_ALL=C sort | tr '\\n' ' '"
            sh $<TARGET_FILE:Quovant>)
set_tests_properties(exports_libQuovant PROPERTIES PASS_REGULAR_EXPRESSION "^${exports}[ \n]*$")

# Running out of memory at every allocation in turn (glibc's allocator made
# to fail).
quovant_add_test(test_out_of_memory test_out_of_memory.cpp failing_malloc.cpp)
target_link_libraries(test_out_of_memory PRIVATE quovant_knowledge quovant_embedded)

# The quovant tool as a user runs it: streams, arguments and exit codes.
quovant_add_test(test_game test_game.cpp)
target_link_libraries(test_game PRIVATE quovant_binding)
add_dependencies(test_game Quovant)
target_compile_definitions(test_game PRIVATE QUOVANT_GOOD_LIBRARY="$<TARGET_FILE:Quovant>")
quovant_add_test(test_cli test_cli.cpp program_posix.cpp)
add_dependencies(test_cli quovant Quovant)
target_compile_definitions(test_cli PRIVATE QUOVANT_PROGRAM="$<TARGET_FILE:quovant>")

# The manual page tells the exit codes as the tool's help does.
add_test(NAME exit_codes_documented
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/exit_codes_documented.sh $<TARGET_FILE:quovant>
            ${PROJECT_SOURCE_DIR}/packaging/quovant.1.scd)

# Every message the tool says to people is translated in every catalogue.
add_test(NAME catalogue_complete
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/catalogue_complete.sh ${PROJECT_SOURCE_DIR} ${QUOVANT_LANGUAGES})

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
