#include "remoting/wire_bytes.h"

#include <zlib.h>

#include <stdexcept>
#include <vector>

namespace rb::wire {

std::string Hex(std::string_view text) {
    std::string out;
    std::string digits;
    for (char c : text) {
        if (c == ' ') continue;
        digits += c;
        if (digits.size() == 2) {
            out += static_cast<char>(std::stoi(digits, nullptr, 16));
            digits.clear();
        }
    }
    return out;
}

std::string ToHex(std::string_view bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty()) out += ' ';
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

std::string Le32(uint32_t v) {
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

std::string Ansi(std::string_view text) {
    return Le32(static_cast<uint32_t>(text.size())) + std::string(text);
}

std::string Wide(std::u16string_view text) {
    std::string out = Le32(static_cast<uint32_t>(text.size()));
    for (char16_t u : text) {
        out += char(u & 0xFF);
        out += char(u >> 8);
    }
    return out;
}

std::string Header(uint8_t flags, uint8_t type, std::string_view clientID) {
    return "RO107" + std::string{char(flags), char(type)} + std::string(5, '\0') +
           std::string(clientID);
}

std::string Deflate(std::string_view bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()),
                  9) != Z_OK) {
        throw std::runtime_error("compress2 failed");
    }
    out.resize(size);
    return out;
}

std::string Inflate(std::string_view zlib) {
    z_stream z{};
    inflateInit(&z);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zlib.data()));
    z.avail_in = static_cast<uInt>(zlib.size());
    std::string out;
    char buffer[4096];
    int rc;
    do {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        rc = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    } while (rc == Z_OK);
    inflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error("not a complete zlib stream");
    return out;
}

}  // namespace rb::wire
