# cmake -DLIBRARY=<built engine library> -DOUTPUT=<source to write> -P EmbedEngine.cmake
# Writes a C++ source that holds the library file's bytes and its file name
# (see CarriedEngine.h). Runs whenever the engine library is rebuilt.
file(READ "${LIBRARY}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
get_filename_component(name "${LIBRARY}" NAME)

# Sixteen bytes a line: "0x12,0x34,...".
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" body "${body}")

file(WRITE "${OUTPUT}" "// Generated from ${name} by EmbedEngine.cmake; do not edit.
#include \"preview/CarriedEngine.h\"

namespace {
alignas(16) const std::uint8_t Bytes[${size}] = {
${body}};
} // namespace

namespace dover {

std::span<const std::uint8_t> CarriedEngine() {
    return Bytes;
}

QString CarriedEngineFileName() {
    return QStringLiteral(\"${name}\");
}

} // namespace dover
")
