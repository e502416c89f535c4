# GoogleTest for both targets (cr_gtest for test helpers, cr_gtest_main with the main function),
# and cr_add_test() to declare one test executable.
if(CR_BUILD_TESTS)
    if(CMAKE_CROSSCOMPILING)
        # Debian ships GoogleTest only for the host; build it from source for Windows.
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
        add_library(cr_gtest INTERFACE)
        target_link_libraries(cr_gtest INTERFACE gtest)
        add_library(cr_gtest_main INTERFACE)
        target_link_libraries(cr_gtest_main INTERFACE gtest_main gtest)
    else()
        find_package(GTest REQUIRED)
        add_library(cr_gtest INTERFACE)
        target_link_libraries(cr_gtest INTERFACE GTest::gtest)
        add_library(cr_gtest_main INTERFACE)
        target_link_libraries(cr_gtest_main INTERFACE GTest::gtest_main GTest::gtest)
        # Each test program ends by checking that it left no file descriptor open.
        target_sources(cr_gtest_main INTERFACE
            ${CMAKE_SOURCE_DIR}/tests/support/program_end/open_descriptors_linux.cpp)
    endif()
endif()

set(CR_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)

# Applies what every test needs on its target: under Wine the private prefix and the fixture
# that starts Wine once before the tests and stops it after.
function(cr_test_properties test_name)
    if(CMAKE_CROSSCOMPILING)
        set_tests_properties(${test_name} PROPERTIES
            FIXTURES_REQUIRED wine
            ENVIRONMENT "CR_WINEPREFIX=${CR_WINEPREFIX};WINEPREFIX=${CR_WINEPREFIX};WINEDEBUG=-all")
    endif()
endfunction()

# cr_add_test(name SOURCES a.cpp b.cpp LIBS cr_toolkit ...): one GoogleTest executable,
# registered as one CTest test that runs natively or under Wine.
function(cr_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} cr_gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    cr_test_properties(${name})
endfunction()
