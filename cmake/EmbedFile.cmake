# cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -DFUNCTION=<name> -P EmbedFile.cmake
# Writes a C++ source whose function `platform::<name>()` answers the file's
# bytes, so a data file travels inside the library on every platform.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Line breaks every 32 bytes keep the source readable by compilers and editors.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Written by cmake/EmbedFile.cmake from ${INPUT}; do not edit.\n"
  "#include \"platform/Resources.h\"\n\n"
  "namespace {\nconst unsigned char kBytes[${byte_count}] = {\n${bytes}\n};\n}  // namespace\n\n"
  "namespace platform {\nResourceBytes ${FUNCTION}() { return {kBytes, sizeof kBytes}; }\n}  // namespace platform\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
