# Helpers that make the library's embedded dictionary and the library itself,
# for the real build and for the test builds whose streams are damaged.

# quovant_export_names(VAR): the names libQuovant.so exports, in the order
# of their one list, include/quovant_exports.h.
function(quovant_export_names var)
    file(READ ${PROJECT_SOURCE_DIR}/include/quovant_exports.h text)
    string(REGEX MATCHALL "\n +X\\([A-Za-z]+\\)" entries "${text}")
    set(names "")
    foreach(entry IN LISTS entries)
        string(REGEX REPLACE "^\n +X\\(([A-Za-z]+)\\)$" "\\1" name "${entry}")
        list(APPEND names ${name})
    endforeach()
    # Every entry of the list must have given a name: one the pattern above
    # misses (a digit, an underscore) would leave the export out unseen.
    string(REGEX MATCHALL "\n +X\\([^)]*\\)" listed "${text}")
    list(LENGTH listed expected)
    list(LENGTH names found)
    if(found EQUAL 0 OR NOT found EQUAL expected)
        message(FATAL_ERROR "quovant_export_names: ${found} names parsed from the ${expected} entries of "
                            "include/quovant_exports.h")
    endif()
    set(${var} ${names} PARENT_SCOPE)
endfunction()

# quovant_embed_streams(TARGET SOURCE_FILE STREAMS NAME=file... [DAMAGE NAME=OFFSET^MASK]):
# an object library TARGET of the given sources and a generated one that
# holds the streams as byte arrays in read-only data.
function(quovant_embed_streams target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DAMAGE" "SOURCES;STREAMS")
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_streams.cpp)
    set(files "")
    foreach(stream IN LISTS arg_STREAMS)
        string(REGEX REPLACE "^[A-Z_]+=" "" file "${stream}")
        list(APPEND files ${file})
    endforeach()
    add_custom_command(
        OUTPUT ${generated}
        COMMAND ${CMAKE_COMMAND} "-DSTREAMS=${arg_STREAMS}" -DOUTPUT=${generated} "-DDAMAGE=${arg_DAMAGE}"
                -P ${PROJECT_SOURCE_DIR}/cmake/EmbedStreams.cmake
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/EmbedStreams.cmake
        COMMENT "Embedding dictionary streams into ${target}"
        VERBATIM)
    add_library(${target} OBJECT ${generated} ${arg_SOURCES})
    target_link_libraries(${target} PUBLIC quovant_core PRIVATE quovant_warnings quovant_no_exceptions)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden)
endfunction()

# quovant_add_embedded(TARGET [DAMAGE_PINYIN OFFSET^MASK] [DAMAGE_IDIOMS OFFSET^MASK]):
# the two table streams of library/data and the loaders over them
# (library/embedded.cpp). A damage setting XORs one byte of a stream, for
# builds that must refuse their dictionary.
function(quovant_add_embedded target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DAMAGE_PINYIN;DAMAGE_IDIOMS" "")
    set(damage "")
    if(arg_DAMAGE_PINYIN)
        set(damage PINYIN_STREAM=${arg_DAMAGE_PINYIN})
    elseif(arg_DAMAGE_IDIOMS)
        set(damage IDIOM_STREAM=${arg_DAMAGE_IDIOMS})
    endif()
    set(data ${PROJECT_SOURCE_DIR}/library/data)
    quovant_embed_streams(${target} SOURCES ${PROJECT_SOURCE_DIR}/library/embedded.cpp
        STREAMS PINYIN_STREAM=${data}/pinyin.lzma IDIOM_STREAM=${data}/idioms.lzma DAMAGE "${damage}")
endfunction()

# quovant_add_embedded_meanings(TARGET [DAMAGE OFFSET^MASK]): the meanings,
# English, readings, commonness and customary readings streams of
# library/data and their Offer functions (library/embedded_meanings.cpp),
# for the programs
# that offer the idiom knowledge; DAMAGE damages the meanings.
function(quovant_add_embedded_meanings target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DAMAGE" "")
    set(damage "")
    if(arg_DAMAGE)
        set(damage MEANINGS_STREAM=${arg_DAMAGE})
    endif()
    quovant_embed_streams(${target} SOURCES ${PROJECT_SOURCE_DIR}/library/embedded_meanings.cpp
        STREAMS MEANINGS_STREAM=${PROJECT_SOURCE_DIR}/library/data/meanings.lzma
                ENGLISH_STREAM=${PROJECT_SOURCE_DIR}/library/data/english.lzma
                READINGS_STREAM=${PROJECT_SOURCE_DIR}/library/data/readings.lzma
                COMMONNESS_STREAM=${PROJECT_SOURCE_DIR}/library/data/commonness.lzma
                CUSTOMARY_STREAM=${PROJECT_SOURCE_DIR}/library/data/customary.lzma DAMAGE "${damage}")
endfunction()

# quovant_add_library(TARGET EMBEDDED OUTPUT_DIR [MEANINGS TARGET]): the
# Quovant shared library (Quovant.dll or libQuovant.so) over the dictionary
# of the EMBEDDED object library, built into OUTPUT_DIR. Off Windows it also
# exports the idiom knowledge, with the meanings of MEANINGS.
function(quovant_add_library target embedded output_dir)
    cmake_parse_arguments(PARSE_ARGV 3 arg "" "MEANINGS" "")
    add_library(${target} SHARED)
    target_link_libraries(${target} PRIVATE quovant_core ${embedded} quovant_warnings quovant_no_exceptions)
    set_target_properties(${target} PROPERTIES
        OUTPUT_NAME Quovant
        RUNTIME_OUTPUT_DIRECTORY ${output_dir}
        LIBRARY_OUTPUT_DIRECTORY ${output_dir}
        ARCHIVE_OUTPUT_DIRECTORY ${output_dir}
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    if(WIN32)
        target_sources(${target} PRIVATE
            ${PROJECT_SOURCE_DIR}/library/entry_win32.cpp
            ${PROJECT_SOURCE_DIR}/library/Quovant.rc
            ${PROJECT_BINARY_DIR}/library/Quovant.def)
        set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "")
        # Runtime, libstdc++ and liblzma inside: the DLL imports system DLLs only.
        # Symbols stripped: the DLL travels to users.
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -s)
    else()
        # Private to the programs that load it: no SONAME, no version promise.
        set_target_properties(${target} PROPERTIES NO_SONAME ON)
        target_link_libraries(${target} PRIVATE quovant_init quovant_knowledge ${arg_MEANINGS})
        set(map ${PROJECT_BINARY_DIR}/library/Quovant.map)
        target_link_options(${target} PRIVATE -Wl,--no-undefined -Wl,--version-script=${map})
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${map})
    endif()
endfunction()
