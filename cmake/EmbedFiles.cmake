# Writes a C++ source that holds files as byte arrays, for programs that carry their own web
# pages. Run as a script:
#   cmake -DOUTPUT=out.cpp -DSYMBOL=Name -DFILES="dir/a.js;dir/b.css" -P EmbedFiles.cmake
# The source defines, in namespace Embedded, `const EmbeddedFile Name[]` (name without folder,
# bytes, size) ending in an entry whose name is null; embeddedfiles.h declares the type.
set(body "// Generated from ${FILES}; edit those files, not this one.\n")
string(APPEND body "#include \"reports/embeddedfiles.h\"\n\nnamespace Embedded {\nnamespace {\n")
set(entries "")
set(n 0)
foreach(file IN LISTS FILES)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # Lines of 32 bytes keep the generated file readable in a diff.
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
  get_filename_component(name "${file}" NAME)
  string(APPEND body "const unsigned char file${n}[] = {\n${bytes}0};\n")
  string(APPEND entries "    {\"${name}\", reinterpret_cast<const char*>(file${n}), ${size}},\n")
  math(EXPR n "${n} + 1")
endforeach()
string(APPEND body "}  // namespace\n\nconst EmbeddedFile ${SYMBOL}[] = {\n${entries}    {nullptr, nullptr, 0},\n};\n\n}  // namespace Embedded\n")
# Written only when it changed, so an unchanged file does not rebuild the library.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL body)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${body}")
