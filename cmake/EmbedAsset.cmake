# Carries files inside the program. Each embedded file becomes a generated source
# holding its bytes and one accessor function returning them: a
# std::span<const uint8_t>, or with TEXT a std::string_view of its characters.
# The source is regenerated whenever the file changes; declare the accessor in a
# header of the code that uses it.
#
#   embed_asset(<target> <file> <accessor> [TEXT])

set(EMBED_FILE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)

function(embed_asset target file accessor)
    cmake_parse_arguments(PARSE_ARGV 3 EMBED "TEXT" "" "")
    set(kind BYTES)
    if(EMBED_TEXT)
        set(kind TEXT)
    endif()
    get_filename_component(input ${file} ABSOLUTE)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${accessor}.cpp)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DACCESSOR=${accessor} -DKIND=${kind}
            -P ${EMBED_FILE_SCRIPT}
        DEPENDS ${input} ${EMBED_FILE_SCRIPT}
        COMMENT "Embedding ${file}"
        VERBATIM)
    target_sources(${target} PRIVATE ${output})
endfunction()
