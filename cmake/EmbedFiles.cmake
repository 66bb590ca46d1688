# embed_files(OUT_CPP SYMBOL_PREFIX file...): writes a source that holds each file's bytes as
# a constant array named <prefix><file stem with non-identifier characters as _>, with a
# matching <name>_size, so resources are part of the program file.
function(embed_files out_cpp prefix)
  set(body "#include <cstddef>\n#include <cstdint>\n")
  foreach(file IN LISTS ARGN)
    get_filename_component(name ${file} NAME)
    string(MAKE_C_IDENTIFIER "${prefix}${name}" symbol)
    file(READ ${file} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(LENGTH "${hex}" hexlen)
    math(EXPR size "${hexlen} / 2")
    string(APPEND body "extern const std::uint8_t ${symbol}[] = {${bytes} 0};\n")
    string(APPEND body "extern const std::size_t ${symbol}_size = ${size};\n")
  endforeach()
  file(CONFIGURE OUTPUT ${out_cpp} CONTENT "${body}" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARGN})
endfunction()
