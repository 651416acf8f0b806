#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "connection/connection_module.h"
#include "core/exception.h"
#include "core/string_list.h"
#include "core/text.h"

namespace rb {
namespace {

// The whole file as text; a NUL byte ends it.
std::string ReadTextFile(const std::string& fileName) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> f(std::fopen(fileName.c_str(), "rb"));
    if (!f) throw Exception(Format("Cannot open file \"%s\". %s", fileName.c_str(),
                                   std::strerror(errno)));
    std::string text;
    char buf[65536];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f.get())) > 0) text.append(buf, got);
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

}  // namespace

void TdmKestrinConnection::LoadRequest(const std::string& fileName) {
    StringList lines;
    lines.SetText(ReadTextFile(fileName));
    // Names are compared ignoring case but not trimmed; the first line of a name wins.
    const std::string processList = lines.Values("ProcessList");
    if (!processList.empty()) SetOrdProp(*this, "ProcessList", TextToSet(
        DescribeEnum(TProcessPage{}), processList));
    const std::string nombre = lines.Values("Nombre");
    if (!nombre.empty()) {
        header_.Nombre = nombre;
        header_.Telefono = lines.Values("Telefono");
        header_.Observaciones = lines.Values("Observaciones");
    }
    Auto = lines.Values("Auto") == "1";
    header_.Destino = lines.Values("Destino");
}

}  // namespace rb
