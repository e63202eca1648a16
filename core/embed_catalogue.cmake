# Writes a C++ source holding the bytes of the shipped text catalogue, so that the program
# carries a copy of it: one source of truth, resources/language.sys, built in at build time.
#   cmake -DINPUT=language.sys -DOUTPUT=built_in_catalogue.cpp -P embed_catalogue.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR bytes "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
# Sixteen bytes a line.
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" body "${body}")
file(WRITE "${OUTPUT}.new"
  "// Generated at build time from resources/language.sys; edit that file instead.\n"
  "#include <cstddef>\n\n"
  "namespace vgr47 {\n\n"
  "extern const unsigned char kBuiltInCatalogue[];\n"
  "extern const std::size_t kBuiltInCatalogueSize;\n\n"
  "const unsigned char kBuiltInCatalogue[] = {\n${body}0x00};\n"
  "const std::size_t kBuiltInCatalogueSize = ${bytes};\n\n"
  "}  // namespace vgr47\n")
# Only a changed catalogue makes the program rebuild.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
