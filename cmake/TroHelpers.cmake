# Repeated CMake of the suite: warnings, tests, games.

include(GoogleTest)

# Our own code builds with all warnings; TRO_WERROR makes them errors.
function(tro_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(TRO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A private 0700 runtime folder for tests, so Qt does not complain about the missing one.
set(TRO_TEST_RUNTIME_DIR ${CMAKE_BINARY_DIR}/test-runtime)
file(MAKE_DIRECTORY ${TRO_TEST_RUNTIME_DIR})
file(CHMOD ${TRO_TEST_RUNTIME_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# Window tests set their own environment (the offscreen platform, the runtime folder above,
# quiet platform logging, and under Wine a font folder): see common/frame/testing.
if(WIN32 AND CMAKE_CROSSCOMPILING_EMULATOR)
    # Under Wine the offscreen platform draws with the host's free fonts of the same metrics
    # as the Windows fonts, as the tests do on Linux.
    find_path(TRO_TEST_FONTDIR LiberationSans-Regular.ttf
        PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
endif()

# tro_add_gtest(name SOURCES ... LIBS ... [QT] [TIMEOUT s])
# QT tests get a main that makes a QApplication on the offscreen platform.
function(tro_add_gtest name)
    cmake_parse_arguments(T "QT" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT TRO_BUILD_TESTS OR (T_QT AND NOT TRO_QT))
        return()
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    if(CMAKE_CROSSCOMPILING_EMULATOR)
        # Under an emulator (Wine) every start and every file operation is several times slower.
        math(EXPR T_TIMEOUT "${T_TIMEOUT} * 5")
    endif()
    add_executable(${name} ${T_SOURCES})
    tro_warnings(${name})
    # Tests that make windows carry the label "window" (ctest -L window).
    set(label model)
    if(T_QT)
        set(label window)
        target_link_libraries(${name} PRIVATE ${T_LIBS} tro_qt_test_main Qt6::Test GTest::gtest)
    else()
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    endif()
    # Listing the tests runs the program once; under an emulator (Wine) that start alone can
    # take several seconds.
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS ${label}
    )
endfunction()

# tro_add_game(id MODEL ... UI ... MAIN ... TESTS ... UI_TESTS ...)
#   MODEL     Qt-free sources of the game's rules (library <id>_model)
#   UI        the window sources (library <id>_ui)
#   MAIN      main.cpp; the program <id> lands in bin/ with the other programs
#   TESTS     model tests, linked against the model only
#   UI_TESTS  window tests, run on the offscreen platform
#   E2E       a Python script that tests the program on a private X display (Xvfb), called
#             with the program and the source and build folders of the suite, whose other
#             programs it may run (the results manager)
function(tro_add_game id)
    cmake_parse_arguments(G "" "" "MODEL;UI;MAIN;TESTS;UI_TESTS;E2E" ${ARGN})
    set(model_lib)
    if(G_MODEL)
        add_library(${id}_model STATIC ${G_MODEL})
        target_include_directories(${id}_model PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${id}_model PUBLIC tro_core)
        tro_warnings(${id}_model)
        set(model_lib ${id}_model)
    endif()
    if(G_TESTS)
        tro_add_gtest(${id}_test SOURCES ${G_TESTS} LIBS ${model_lib})
    endif()
    if(NOT TRO_QT)
        return()
    endif()

    add_library(${id}_ui STATIC ${G_UI})
    target_include_directories(${id}_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${id}_ui PUBLIC ${model_lib} tro_frame)
    tro_warnings(${id}_ui)

    add_executable(${id} ${G_MAIN})
    target_link_libraries(${id} PRIVATE ${id}_ui)
    set_target_properties(${id} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRO_PROGRAM_DIR})
    tro_warnings(${id})
    set_property(GLOBAL APPEND PROPERTY TRO_PROGRAMS ${id})

    if(G_UI_TESTS)
        tro_add_gtest(${id}_ui_test SOURCES ${G_UI_TESTS} LIBS ${id}_ui tro_frame_testing QT)
    endif()
    if(G_E2E AND TRO_BUILD_TESTS AND TRO_X_TESTS)
        string(SUBSTRING ${id} 0 1 head)
        string(TOUPPER ${head} head)
        string(SUBSTRING ${id} 1 -1 tail)
        add_test(NAME ${head}${tail}EndToEnd
            COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/${G_E2E} $<TARGET_FILE:${id}>
                    ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
        set_tests_properties(${head}${tail}EndToEnd PROPERTIES TIMEOUT 120
            ENVIRONMENT "XDG_RUNTIME_DIR=${TRO_TEST_RUNTIME_DIR};PYTHONDONTWRITEBYTECODE=1")
    endif()
endfunction()
