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
