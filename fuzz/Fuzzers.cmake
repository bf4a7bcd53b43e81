# Builds the sanitizer build (fuzz/CMakeLists.txt) with clang, as a separate
# build under <build>/fuzz, and registers a 5-second run of each fuzz target
# and the run of the sanitized model tests as tests. Skipped when clang or its
# fuzzer runtime is missing, so the main build needs neither.

option(QUILLFRONT_FUZZ "Build and run the fuzz targets and the sanitized model tests when clang with libFuzzer is present"
    ON)
if(NOT QUILLFRONT_FUZZ)
    return()
endif()

find_program(QUILLFRONT_CLANGXX NAMES clang++ clang++-14)
# Probed until it succeeds, so installing the runtime later is noticed.
if(QUILLFRONT_CLANGXX AND NOT QUILLFRONT_LIBFUZZER_WORKS)
    set(probe ${CMAKE_BINARY_DIR}/CMakeFiles/libfuzzer-probe)
    file(WRITE ${probe}.cpp
        "extern \"C\" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n")
    execute_process(COMMAND ${QUILLFRONT_CLANGXX} -fsanitize=fuzzer,address,undefined ${probe}.cpp -o ${probe}
        RESULT_VARIABLE probeResult OUTPUT_QUIET ERROR_QUIET)
    if(probeResult EQUAL 0)
        set(QUILLFRONT_LIBFUZZER_WORKS ON CACHE INTERNAL "clang links libFuzzer programs")
    endif()
endif()
if(NOT QUILLFRONT_LIBFUZZER_WORKS)
    message(STATUS "Fuzz targets skipped: no clang with libFuzzer")
    return()
endif()

include(ExternalProject)
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
set(FUZZ_BUILD_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(fuzzers
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/fuzz
    BINARY_DIR ${FUZZ_BUILD_DIR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${QUILLFRONT_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
        -DQUILLFRONT_WERROR=${QUILLFRONT_WERROR} -DQUILLFRONT_VERSION=${PROJECT_VERSION}
    # Make's job server does not reach this build: it takes the cores itself.
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --parallel ${cores}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)

if(QUILLFRONT_TESTS)
    # New inputs go to the build's own corpus; the seeds in the source tree stay as they are.
    # The parser's error messages go to standard error, which the runs close.
    foreach(target json_parser lz77_decoder base64_decoder project_json project_binary)
        file(MAKE_DIRECTORY ${FUZZ_BUILD_DIR}/corpus/${target} ${FUZZ_BUILD_DIR}/artifacts)
        set(dictionary)
        if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/${target}.dict)
            set(dictionary -dict=${CMAKE_SOURCE_DIR}/fuzz/${target}.dict)
        endif()
        add_test(NAME fuzz.${target}
            COMMAND ${FUZZ_BUILD_DIR}/fuzz_${target} -max_total_time=5 -timeout=10 -close_fd_mask=2
                -artifact_prefix=${FUZZ_BUILD_DIR}/artifacts/ ${dictionary}
                ${FUZZ_BUILD_DIR}/corpus/${target} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${target})
        set_tests_properties(fuzz.${target} PROPERTIES TIMEOUT 120 LABELS fuzz COST 6)
    endforeach()
    # `ctest -L sanitize` runs them alone.
    add_test(NAME sanitize.model_tests COMMAND ${FUZZ_BUILD_DIR}/sanitized_model_tests)
    set_tests_properties(sanitize.model_tests PROPERTIES TIMEOUT 300 LABELS sanitize)
endif()
