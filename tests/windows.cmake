# Windows: the PE files checked statically, the dialog's driver and the
# console tool's tests. The win64 twin runs them here under wine64; the i686
# deliverables run them all in an emulated machine with wine32 (the
# i686_guest test). Included from tests/CMakeLists.txt.

set(machine $<IF:$<EQUAL:${CMAKE_SIZEOF_VOID_P},4>,i386,amd64>)
add_test(NAME pe_Quovant
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/pe_check.py library $<TARGET_FILE:Quovant> ${machine})
add_test(NAME pe_frontend
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/pe_check.py program $<TARGET_FILE:frontend> ${machine})

# The dialog, driven through Wine's user32 in an X server; its placement
# also on a desktop whose work area (x,y,width,height) does not start at 0,0.
set(work_area 40,30,944,708)
set(screenshot_bmp ${PROJECT_BINARY_DIR}/screenshots/frontend.bmp)
set(screenshot_png ${PROJECT_BINARY_DIR}/screenshots/frontend.png)
add_executable(frontend_driver wine/frontend_driver.cpp)
target_include_directories(frontend_driver PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/client)
target_link_libraries(frontend_driver PRIVATE GTest::gtest GTest::gtest_main quovant_warnings)
target_compile_features(frontend_driver PRIVATE cxx_std_20)
target_compile_definitions(frontend_driver PRIVATE UNICODE _UNICODE
    QUOVANT_APP_DIR="${QUOVANT_APPS_DIR}/app" QUOVANT_ALONE_DIR="${QUOVANT_APPS_DIR}/alone"
    QUOVANT_BAD_PINYIN_DIR="${QUOVANT_APPS_DIR}/bad-pinyin" QUOVANT_BAD_IDIOMS_DIR="${QUOVANT_APPS_DIR}/bad-idioms"
    QUOVANT_SCREENSHOT_BMP="${screenshot_bmp}")
target_link_options(frontend_driver PRIVATE -static)
add_dependencies(frontend_driver frontend_test_apps)

# What the console tool must answer for 一心一意, from the shared examples.
quovant_example(AFTER_YI after_yi)

if(NOT QUOVANT_RUN_TESTS)
    # Everything at once in the emulated machine: the unit tests, the
    # library as a program loads it, the dialog's driver and the console
    # tool. The guest image is built once (scripts/test.sh builds it first).
    get_property(programs GLOBAL PROPERTY QUOVANT_TEST_PROGRAMS)
    set(files "")
    foreach(program IN LISTS programs ITEMS frontend_driver)
        list(APPEND files $<TARGET_FILE:${program}>)
    endforeach()
    add_test(NAME i686_guest
        COMMAND ${PROJECT_SOURCE_DIR}/tests/emulator/i686-tests.sh ${PROJECT_BINARY_DIR}
                ${PROJECT_SOURCE_DIR}/build/i686-guest "${after_yi}"
                $<TARGET_FILE:quovant> ${QUOVANT_APPS_DIR} ${screenshot_png} ${work_area} ${files}
                $<TARGET_FILE:Quovant> $<TARGET_FILE:Quovant_bad_pinyin> $<TARGET_FILE:Quovant_bad_idioms>)
    set_tests_properties(i686_guest PROPERTIES TIMEOUT 2400 RUN_SERIAL ON)
else()
    # Every test under Wine needs the prefix, made once by this fixture.
    list(GET CMAKE_CROSSCOMPILING_EMULATOR 1 QUOVANT_WINEPREFIX)
    add_test(NAME wine_prefix COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-prefix.sh ${QUOVANT_WINEPREFIX})
    set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

    add_test(NAME frontend_gui
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine/run-gui-tests.sh ${QUOVANT_WINEPREFIX}
                $<TARGET_FILE:frontend_driver> ${screenshot_bmp} ${screenshot_png} ${work_area})
    set_tests_properties(frontend_gui PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300 RUN_SERIAL ON)

    # The console tool: one query through a pipe, and typed at a console, where
    # Ctrl+Z at the start of a line ends the input.
    add_test(NAME cli_wine COMMAND quovant 一心一意)
    set_tests_properties(cli_wine PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "LC_ALL=C.UTF-8"
        PASS_REGULAR_EXPRESSION "^${after_yi}\r?\n$")
    # The tool carries the idiom knowledge itself on Windows (Quovant.dll does not).
    add_test(NAME cli_wine_info COMMAND quovant info --json 一心一意)
    set_tests_properties(cli_wine_info PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "LC_ALL=C.UTF-8"
        PASS_REGULAR_EXPRESSION
        "\"readings\":\"yi\",\"rule\":\"classic\",\"four\":false,\"followers\":[0-9]+,\"outcome\":\"loss\",\"proven\":true,\"reading\":\"yī xīn yī yì\",\"meaning\":\"只有")
    add_test(NAME cli_wine_console
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine/console_eof.sh ${QUOVANT_WINEPREFIX} $<TARGET_FILE:quovant>)
    set_tests_properties(cli_wine_console PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 180)
endif()
