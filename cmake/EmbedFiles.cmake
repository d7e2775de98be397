# obrazor_embed_files(<output.cpp> HEADER <header> [PREFIX <p>] [SUFFIX <s>] [CODE <code>] FILES <file>...)
# Writes a C++ source holding each file's bytes: NAME.ext becomes the array
# `const std::uint8_t <p>NAME<s>[]` and its size `<p>NAME<s>Size`. Arrays that HEADER declares
# extern are seen by the program; the others stay in the source, for CODE, written after them, to
# use. The source is rewritten only when a file changes, and a change of a file reconfigures.
function(obrazor_embed_files output)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "HEADER;PREFIX;SUFFIX;CODE" "FILES")
  set(arrays "")
  set(names "")
  foreach(file IN LISTS arg_FILES)
    get_filename_component(name ${file} NAME_WE)
    get_filename_component(file_name ${file} NAME)
    string(APPEND names " ${file_name}")
    set(symbol ${arg_PREFIX}${name}${arg_SUFFIX})
    file(READ ${file} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
    string(APPEND arrays "const std::uint8_t ${symbol}[] = {${hex}};\n"
                         "const std::size_t ${symbol}Size = sizeof ${symbol};\n")
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${arg_FILES})
  string(CONCAT content "// Generated from${names}; do not edit.\n#include \"${arg_HEADER}\"\n\n"
                "#include <cstddef>\n#include <cstdint>\n\n${arrays}\n${arg_CODE}")
  file(CONFIGURE OUTPUT ${output} CONTENT "${content}" @ONLY)
endfunction()
