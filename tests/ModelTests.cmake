# The model's test program's sources, named once for the main build
# (tests/CMakeLists.txt) and the sanitizer build (fuzz/CMakeLists.txt). The
# tests are found by folder, so a new test file cannot be left out of its
# program by mistake.
set(QUILLFRONT_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB MODEL_TEST_SOURCES CONFIGURE_DEPENDS ${QUILLFRONT_TESTS_DIR}/project/*.cpp ${QUILLFRONT_TESTS_DIR}/tool/*.cpp
    ${QUILLFRONT_TESTS_DIR}/editor/edits/*.cpp ${QUILLFRONT_TESTS_DIR}/editor/controllers/*.cpp)
set(MODEL_SUPPORT_SOURCES support/RichProject.cpp support/TempDir.cpp support/TestFont.cpp support/TestProject.cpp
    support/WavFile.cpp)
list(TRANSFORM MODEL_SUPPORT_SOURCES PREPEND ${QUILLFRONT_TESTS_DIR}/)

# What the test programs are told of where they stand.
cmake_path(GET QUILLFRONT_TESTS_DIR PARENT_PATH root)
set(QUILLFRONT_TEST_PLACES QUILLFRONT_TEST_DATA="${QUILLFRONT_TESTS_DIR}/data"
    QUILLFRONT_EXAMPLE="${root}/examples/first-light" QUILLFRONT_SOURCE="${root}")
