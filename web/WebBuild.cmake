# Builds web/ with Debian's emscripten as a separate build under <build>/web
# and registers its tests. Skipped when emscripten is missing, so the main
# build does not need it.

option(QUILLFRONT_WEB "Build the WebAssembly programs when emscripten is present" ON)
if(NOT QUILLFRONT_WEB)
    return()
endif()

find_program(QUILLFRONT_EMCMAKE emcmake)
find_program(QUILLFRONT_NODE NAMES node nodejs)
set(EMSCRIPTEN_TOOLCHAIN /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
if(NOT QUILLFRONT_EMCMAKE OR NOT QUILLFRONT_NODE OR NOT EXISTS ${EMSCRIPTEN_TOOLCHAIN})
    message(STATUS "WebAssembly build skipped: emscripten or Node.js missing")
    return()
endif()

include(ExternalProject)
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
set(WEB_BUILD_DIR ${CMAKE_BINARY_DIR}/web)
# An optimised link runs emscripten's JavaScript optimiser, which finds Debian's
# acorn only through NODE_PATH. Make's job server does not reach this build: it
# takes the cores itself.
ExternalProject_Add(web
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/web
    BINARY_DIR ${WEB_BUILD_DIR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${EMSCRIPTEN_TOOLCHAIN} -DCMAKE_BUILD_TYPE=Release
        -DQUILLFRONT_WERROR=${QUILLFRONT_WERROR} -DQUILLFRONT_VERSION=${PROJECT_VERSION}
    BUILD_COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs ${CMAKE_COMMAND} --build ${WEB_BUILD_DIR}
        --parallel ${cores}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)

if(QUILLFRONT_TESTS)
    add_test(NAME web.model_matches_native
        COMMAND ${CMAKE_SOURCE_DIR}/tests/web/model_matches_native.sh $<TARGET_FILE:quillfront-tool>
            ${QUILLFRONT_NODE} ${WEB_BUILD_DIR}/quillfront-tool.js)
    set_tests_properties(web.model_matches_native PROPERTIES TIMEOUT 120)
    # Debian's python3, which has the packaged selenium and PIL, whatever python3 comes first on the PATH.
    add_test(NAME web.browser_player
        COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/web/browser_test.py $<TARGET_FILE:quillfront-tool>
            ${CMAKE_SOURCE_DIR}/examples/first-light)
    set_tests_properties(web.browser_player PROPERTIES TIMEOUT 300 COST 28)
endif()
