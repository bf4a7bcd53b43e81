# Builds windows/ with Debian's mingw-w64 as a separate build under
# <build>/windows and registers its tests, which run the player under wine.
# Skipped when the cross compiler or the libraries scripts/windows-deps.sh
# builds are missing, so the main build needs neither.

option(QUILLFRONT_WINDOWS "Build the Windows player when mingw-w64 and its libraries are present" ON)
if(NOT QUILLFRONT_WINDOWS)
    return()
endif()

find_program(QUILLFRONT_MINGW_CXX x86_64-w64-mingw32-g++-posix)
set(QUILLFRONT_WINDOWS_DEPS $ENV{HOME}/.cache/quillfront/windows CACHE PATH
    "The libraries scripts/windows-deps.sh built (its QUILLFRONT_WINDOWS_DEPS)")
if(DEFINED ENV{QUILLFRONT_WINDOWS_DEPS})
    set(QUILLFRONT_WINDOWS_DEPS $ENV{QUILLFRONT_WINDOWS_DEPS})
endif()
if(NOT QUILLFRONT_MINGW_CXX OR NOT EXISTS ${QUILLFRONT_WINDOWS_DEPS}/prefix/lib/libglew32.a)
    message(STATUS "Windows player skipped: mingw-w64 or the libraries of scripts/windows-deps.sh missing")
    return()
endif()

include(ExternalProject)
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
set(WINDOWS_BUILD_DIR ${CMAKE_BINARY_DIR}/windows)
ExternalProject_Add(windows
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/windows
    BINARY_DIR ${WINDOWS_BUILD_DIR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/windows/mingw-toolchain.cmake
        -DCMAKE_BUILD_TYPE=Release -DQUILLFRONT_WERROR=${QUILLFRONT_WERROR}
        -DQUILLFRONT_WINDOWS_DEPS=${QUILLFRONT_WINDOWS_DEPS}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${WINDOWS_BUILD_DIR} --parallel ${cores}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)

find_program(QUILLFRONT_WINE NAMES wine64 PATHS /usr/lib/wine)
if(QUILLFRONT_TESTS AND QUILLFRONT_WINE)
    # An X screen of its own: the test reads the screen back and presses Escape.
    add_test(NAME windows.player_under_wine
        COMMAND ${CMAKE_SOURCE_DIR}/tests/support/own-display.sh /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/windows/wine_player_test.py
            $<TARGET_FILE:quillfront-tool> ${QUILLFRONT_WINE} ${CMAKE_SOURCE_DIR}/examples/first-light)
    set_tests_properties(windows.player_under_wine PROPERTIES TIMEOUT 300 COST 60)
endif()
