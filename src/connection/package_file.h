// The information package (".fzp"): one zlib stream holding the contact header lines and the
// inventory's XML text. Also the hex encoding of header values.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rb {

// The contact header that travels in front of the inventory.
struct THeader {
    std::string Nombre;         // sender name or identifier
    std::string Telefono;       // telephone or other contact
    std::string Observaciones;  // remarks; may span lines
    std::string Destino;        // destination; set only from request files and packages
};

// Every byte as two upper-case hexadecimal digits.
std::string HexEncode(std::string_view value);
// Pairs of hexadecimal digits back to bytes; a malformed pair gives byte 0, an odd last
// character is ignored.
std::string HexDecode(std::string_view text);

// The five header lines (values hex-encoded) that precede the XML text in a package.
std::string BuildHeaderText(const THeader& header);

// Takes the header lines off the front of `text`; the rest, line by line with CR LF after each
// line, is the XML text.
void ParseHeader(std::string_view text, THeader& header, std::string& xml);

// Limit on the decompressed content of a package: a few kilobytes of compressed data can
// inflate to gigabytes, and the reader holds everything in memory, then the document's tree
// (a few times the text) in a 32-bit process. Real packages hold tens of kilobytes; the
// largest inventory this program writes is under 8 MiB.
constexpr size_t kMaxPackageContent = 64u << 20;

// Compresses `text` (zlib, level 9) into a new file of that name, replacing any file there.
void WritePackageFile(std::string_view text, const std::string& fileName);
// The bytes such a file holds.
std::string PackageBytes(std::string_view text);
// The decompressed content of a package file.
std::string ReadPackageContent(const std::string& fileName,
                               size_t maxContent = kMaxPackageContent);
// Reads a package: its header and its XML text.
void ReadPackageFile(const std::string& fileName, THeader& header, std::string& xml);

}  // namespace rb
