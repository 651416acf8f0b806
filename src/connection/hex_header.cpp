#include "connection/package_file.h"

#include "core/string_list.h"

namespace rb {

std::string HexEncode(std::string_view value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size() * 2);
    for (char c : value) {
        const auto b = static_cast<unsigned char>(c);
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

std::string HexDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 2);
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const int hi = HexDigit(text[i]);
        const int lo = HexDigit(text[i + 1]);
        out += (hi < 0 || lo < 0) ? '\0' : static_cast<char>(hi * 16 + lo);
    }
    return out;
}

std::string BuildHeaderText(const THeader& header) {
    return "Nombre=" + HexEncode(header.Nombre) + "\r\n" +
           "telefono=" + HexEncode(header.Telefono) + "\r\n" +
           "observaciones=" + HexEncode(header.Observaciones) + "\r\n" +
           "Destino=" + HexEncode(header.Destino) + "\r\n" +
           "finencabezado\r\n";
}

namespace {

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

// Applies one header line; returns false at the end-of-header line.
bool ApplyHeaderLine(std::string_view line, THeader& header) {
    if (line == "finencabezado") return false;
    const size_t eq = line.find('=');
    const std::string name = AsciiLower(eq == std::string_view::npos ? "" : line.substr(0, eq));
    if (eq == std::string_view::npos) return true;
    const std::string value = HexDecode(line.substr(eq + 1));
    if (name == "nombre") {
        header.Nombre = value;
    } else if (name == "telefono") {
        header.Telefono = value;
    } else if (name == "observaciones") {
        header.Observaciones = value;
    }
    if (name == "destino") header.Destino = value;
    return true;
}

}  // namespace

void ParseHeader(std::string_view text, THeader& header, std::string& xml) {
    header = THeader{};
    xml.clear();
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    size_t pos = 0;
    bool inHeader = true;
    while (pos < text.size()) {
        size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        const std::string_view line = text.substr(pos, end - pos);
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        pos = end;
        if (inHeader) {
            inHeader = ApplyHeaderLine(line, header);
            if (!inHeader) xml.reserve(text.size() - pos + 2);
            continue;
        }
        xml.append(line);
        xml.append("\r\n");
    }
}

}  // namespace rb
