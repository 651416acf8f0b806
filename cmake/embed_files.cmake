# Writes a C++ source that holds files as byte arrays, looked up by their names:
#   cmake -DOUTPUT=out.cpp -DNAMESPACE=ns -DBASE=dir -DFILES="a;b" -P embed_files.cmake
# gives `std::string_view ns::EmbeddedFile(std::string_view name)` ("" for an unknown name), the
# names being the files' paths below BASE.
set(body "")
set(table "")
set(index 0)
foreach(file IN LISTS FILES)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR size "${length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  file(RELATIVE_PATH name "${BASE}" "${file}")
  string(APPEND body "const char kFile${index}[] = {${bytes} 0};\n")
  string(APPEND table "    {\"${name}\", {kFile${index}, ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp"
"// Written by cmake/embed_files.cmake: do not edit.
#include <string_view>
#include <utility>

namespace ${NAMESPACE} {
namespace {
${body}
const std::pair<std::string_view, std::string_view> kFiles[] = {
${table}    {\"\", {}},
};
}  // namespace

std::string_view EmbeddedFile(std::string_view name) {
    for (const auto& [key, value] : kFiles) {
        if (key == name && !key.empty()) return value;
    }
    return {};
}

}  // namespace ${NAMESPACE}
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
