# The shared tests built with MinGW-w64 and run under Wine (cmake/wine-run is the emulator).

# GoogleTest from Debian's source copy (package googletest), built in this build folder. SYSTEM:
# its headers are not held to this project's warnings. It defines GTest::gtest and GTest::gtest_main.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest SYSTEM EXCLUDE_FROM_ALL)

# One wineserver for the whole run, with Wine's services started: a cold start costs each test
# executable about a second and a half, a warm one a few milliseconds.
add_test(NAME wine_server_start
         COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --start ${CMAKE_BINARY_DIR})
add_test(NAME wine_server_stop
         COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine_server_start PROPERTIES FIXTURES_SETUP wine_server)
set_tests_properties(wine_server_stop PROPERTIES FIXTURES_CLEANUP wine_server)

function(vantorix_windows_test name)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED wine_server
        ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
endfunction()

# A test executable of the Windows code, one test under Wine. SERIAL_LINE: it joins COM5 and COM6
# with socat (see cmake/wine-run), DISPLAY: it types into windows on the X server of the run. Such
# tests hold a lock on what they use, so that two of them never run at once.
function(vantorix_win32_test name)
    cmake_parse_arguments(test "SERIAL_LINE;DISPLAY" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${test_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${test_LIBRARIES} vantorix_win32_test_support
                                          GTest::gtest_main vantorix_warnings)
    vantorix_windows_test(${name})
    set(locks "")
    if(test_SERIAL_LINE)
        list(APPEND locks wine_serial_line)
        set_property(TEST ${name} APPEND PROPERTY
            ENVIRONMENT "VANTORIX_WINE_PORTS=${CMAKE_BINARY_DIR}/wine-ports")
    endif()
    if(test_DISPLAY)
        list(APPEND locks wine_display)
    endif()
    if(locks)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${locks}")
    endif()
endfunction()
