# Helpers that make the library's embedded dictionary and the library itself,
# for the real build and for the test builds whose streams are damaged.

# quovant_add_embedded(TARGET [DAMAGE_PINYIN OFFSET^MASK] [DAMAGE_IDIOMS OFFSET^MASK]):
# an object library holding the two streams of library/data in read-only data
# and the loaders over them (library/embedded.cpp). A damage setting XORs one
# byte of a stream, for builds that must refuse their dictionary.
function(quovant_add_embedded target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DAMAGE_PINYIN;DAMAGE_IDIOMS" "")
    set(data ${PROJECT_SOURCE_DIR}/library/data)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_streams.cpp)
    add_custom_command(
        OUTPUT ${source}
        COMMAND ${CMAKE_COMMAND} -DPINYIN=${data}/pinyin.lzma -DIDIOMS=${data}/idioms.lzma -DOUTPUT=${source}
                -DDAMAGE_PINYIN=${arg_DAMAGE_PINYIN} -DDAMAGE_IDIOMS=${arg_DAMAGE_IDIOMS}
                -P ${PROJECT_SOURCE_DIR}/cmake/EmbedStreams.cmake
        DEPENDS ${data}/pinyin.lzma ${data}/idioms.lzma ${PROJECT_SOURCE_DIR}/cmake/EmbedStreams.cmake
        COMMENT "Embedding dictionary streams into ${target}"
        VERBATIM)
    add_library(${target} OBJECT ${source} ${PROJECT_SOURCE_DIR}/library/embedded.cpp)
    target_link_libraries(${target} PUBLIC quovant_core PRIVATE quovant_warnings)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden)
endfunction()

# quovant_add_library(TARGET EMBEDDED OUTPUT_DIR): the Quovant shared library
# (Quovant.dll or libQuovant.so) over the dictionary of the EMBEDDED object
# library, built into OUTPUT_DIR.
function(quovant_add_library target embedded output_dir)
    add_library(${target} SHARED)
    target_link_libraries(${target} PRIVATE quovant_core ${embedded} quovant_warnings)
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
        target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/library/entry_posix.cpp)
        target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
endfunction()
