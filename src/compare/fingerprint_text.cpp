// A fingerprint as one line of text: "1", then the name, the product identifier, the BIOS,
// the processor, the addresses and the volume serials, separated by tabs; lists joined by
// ","; a backslash, a tab, a CR or a LF inside a text escaped as \\, \t, \r, \n.
#include <string>
#include <vector>

#include "compare/machine_identity.h"
#include "core/exception.h"

namespace rb::compare {
namespace {

constexpr char kVersion[] = "1";
constexpr size_t kFields = 7;

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
}

[[noreturn]] void Invalid(const std::string& why) {
    throw EConvertError("Huella de máquina no válida: " + why);
}

std::string Unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) Invalid("una barra inversa al final de un campo");
        switch (text[i]) {
            case '\\': out += '\\'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'n': out += '\n'; break;
            default: Invalid(std::string("la secuencia \\") + text[i]);
        }
    }
    return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// A list of hex values of `digits` digits each, as EncodeFingerprint writes them.
std::vector<std::string> HexList(std::string_view field, size_t digits, const char* what) {
    std::vector<std::string> values;
    if (field.empty()) return values;
    for (const std::string_view value : Split(field, ',')) {
        const bool hex = value.size() == digits &&
                         value.find_first_not_of("0123456789ABCDEF") == std::string_view::npos;
        if (!hex) Invalid(std::string(what) + " \"" + std::string(value.substr(0, 32)) + "\"");
        values.emplace_back(value);
    }
    return values;
}

std::string JoinedList(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& v : values) {
        if (!text.empty()) text += ',';
        text += v;
    }
    return text;
}

}  // namespace

std::string EncodeFingerprint(const MachineFingerprint& f) {
    std::string out = kVersion;
    for (const std::string* text : {&f.computerName, &f.osProductId, &f.bios, &f.processor}) {
        out += '\t';
        AppendEscaped(out, *text);
    }
    out += '\t' + JoinedList(f.macAddresses);
    out += '\t' + JoinedList(f.volumeSerials);
    return out;
}

MachineFingerprint DecodeFingerprint(std::string_view text) {
    const std::vector<std::string_view> fields = Split(text, '\t');
    if (fields.size() != kFields) {
        Invalid(std::to_string(fields.size()) + " campos, y no " + std::to_string(kFields));
    }
    if (fields[0] != kVersion) Invalid("versión \"" + std::string(fields[0].substr(0, 8)) + "\"");
    MachineFingerprint f;
    f.computerName = Unescaped(fields[1]);
    f.osProductId = Unescaped(fields[2]);
    f.bios = Unescaped(fields[3]);
    f.processor = Unescaped(fields[4]);
    f.macAddresses = HexList(fields[5], 12, "dirección MAC");
    f.volumeSerials = HexList(fields[6], 8, "número de serie de volumen");
    return f;
}

}  // namespace rb::compare
