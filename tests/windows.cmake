# The core tests for the Windows program: GoogleTest built from Debian's sources with the same
# cross compiler, and the core's tests run under Wine by `make test-windows`.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main gmock)
    target_compile_options(${target} PRIVATE -w) # not our code: its warnings are not ours to fix
endforeach()

# The core's tests, less those that need a POSIX system of their own (children run as another
# user, permission bits, pipes, /proc); the Windows platform's own rules have a file of theirs.
file(GLOB CORE_TEST_SOURCES CONFIGURE_DEPENDS runtime/*_test.cpp netdata/*_test.cpp transfer/*_test.cpp editor/*_test.cpp)
set(POSIX_ONLY_TESTS
    runtime/line_file_test.cpp)
foreach(test ${POSIX_ONLY_TESTS})
    list(REMOVE_ITEM CORE_TEST_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${test})
endforeach()
add_executable(core_tests EXCLUDE_FROM_ALL ${CORE_TEST_SOURCES} support/temp_dir.cpp support/directory_state.cpp)
target_link_libraries(core_tests PRIVATE netedit_core gtest gtest_main gmock)
target_include_directories(core_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

# The Windows window through its real controls, under Wine's X display.
file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS win32/*_test.cpp)
add_executable(win32_tests EXCLUDE_FROM_ALL ${WIN32_TEST_SOURCES} support/temp_dir.cpp)
target_link_libraries(win32_tests PRIVATE netedit_win32 netedit_resources gtest gtest_main)
# The page the program must carry, read through Wine's drive Z:, the Linux file system's root.
target_compile_definitions(win32_tests PRIVATE NETEDIT_PACKAGED_HELP_PAGE="Z:${NETEDIT_HELP_PAGES}/windows/help.html")
target_include_directories(win32_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
