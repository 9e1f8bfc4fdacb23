# Windows: the PE files checked statically (every Windows preset), and where
# the programs can run (win64 under wine64): the dialog driven through Wine's
# user32 and the console tool. Included from tests/CMakeLists.txt.

set(machine $<IF:$<EQUAL:${CMAKE_SIZEOF_VOID_P},4>,i386,amd64>)
add_test(NAME pe_Quovant
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/pe_check.py library $<TARGET_FILE:Quovant> ${machine})
add_test(NAME pe_frontend
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/pe_check.py program $<TARGET_FILE:frontend> ${machine})

if(NOT QUOVANT_RUN_TESTS)
    return()
endif()

# Every test under Wine needs the prefix, made once by this fixture.
list(GET CMAKE_CROSSCOMPILING_EMULATOR 1 QUOVANT_WINEPREFIX)
add_test(NAME wine_prefix COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-prefix.sh ${QUOVANT_WINEPREFIX})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

# The dialog, driven through Wine's user32 in Xvfb.
add_executable(frontend_driver wine/frontend_driver.cpp)
target_include_directories(frontend_driver PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/client)
target_link_libraries(frontend_driver PRIVATE GTest::gtest GTest::gtest_main quovant_warnings)
target_compile_definitions(frontend_driver PRIVATE UNICODE _UNICODE
    QUOVANT_APP_DIR="${QUOVANT_APPS_DIR}/app" QUOVANT_ALONE_DIR="${QUOVANT_APPS_DIR}/alone"
    QUOVANT_BAD_PINYIN_DIR="${QUOVANT_APPS_DIR}/bad-pinyin" QUOVANT_BAD_IDIOMS_DIR="${QUOVANT_APPS_DIR}/bad-idioms"
    QUOVANT_SCREENSHOT_BMP="${PROJECT_BINARY_DIR}/screenshots/frontend.bmp")
target_link_options(frontend_driver PRIVATE -static)
add_dependencies(frontend_driver frontend_test_apps)
add_test(NAME frontend_gui
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine/run-gui-tests.sh ${QUOVANT_WINEPREFIX}
            $<TARGET_FILE:frontend_driver> ${PROJECT_BINARY_DIR}/screenshots/frontend.bmp
            ${PROJECT_BINARY_DIR}/screenshots/frontend.png)
set_tests_properties(frontend_gui PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300 RUN_SERIAL ON)

# The console tool: one query through a pipe, and typed at a console, where
# Ctrl+Z at the start of a line ends the input.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/examples.h after_yi REGEX "AFTER_YI = " ENCODING UTF-8)
string(REGEX REPLACE ".*\"(.*) \".*" "\\1" after_yi "${after_yi}")
add_test(NAME cli_wine COMMAND quovant 一心一意)
set_tests_properties(cli_wine PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "LC_ALL=C.UTF-8"
    PASS_REGULAR_EXPRESSION "^${after_yi}\r?\n$")
add_test(NAME cli_wine_console
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine/console_eof.sh ${QUOVANT_WINEPREFIX} $<TARGET_FILE:quovant>)
set_tests_properties(cli_wine_console PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 180)
