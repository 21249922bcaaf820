# vendrake_add_gtest(NAME SOURCES ... [LIBS ...] [LABELS ...])
#   A GoogleTest executable linked to the libraries without a window (platform,
#   translit, pages, config, exchange, lists), registered with ctest.
# vendrake_add_qtest(NAME SOURCES ... [LIBS ...] [LABELS ...])
#   A QtTest executable linked to the window library, run offscreen.
# Test programs live in build/tests-bin, away from the programs in build/bin, so the
# language folders beside the programs never leak into a test by accident.
find_package(GTest REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Test)
set(VENDRAKE_TEST_BIN_DIR ${CMAKE_BINARY_DIR}/tests-bin)
# Third-party files (published lists, numbers, tokens) that tests read where they lie,
# beside the checkout; tests that need them skip when they are not there.
set(VENDRAKE_EXTERNAL_DIR "${PROJECT_SOURCE_DIR}/../shared/external" CACHE PATH
    "Folder of the third-party test files")
set(VENDRAKE_CORE_LIBRARIES vendrake_lists vendrake_exchange vendrake_pages vendrake_config vendrake_translit vendrake_platform)

function(_vendrake_test_common name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VENDRAKE_TEST_BIN_DIR})
    target_compile_definitions(${name} PRIVATE
        VENDRAKE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        VENDRAKE_BIN_DIR="${VENDRAKE_BIN_DIR}"
        VENDRAKE_TEST_BIN_DIR="${VENDRAKE_TEST_BIN_DIR}"
        VENDRAKE_EXTERNAL_DIR="${VENDRAKE_EXTERNAL_DIR}")
    if(T_LIBS)
        target_link_libraries(${name} PRIVATE ${T_LIBS})
    endif()
endfunction()

function(vendrake_add_gtest name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE vendrake_testsupport vendrake_gtest_main ${VENDRAKE_CORE_LIBRARIES} GTest::gtest)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    _vendrake_test_common(${name} ${ARGN})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()

function(vendrake_add_qtest name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE vendrake_testsupport vendrake_window ${VENDRAKE_CORE_LIBRARIES} Qt6::Test)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    _vendrake_test_common(${name} ${ARGN})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()
