#include "connection/package_file.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "core/exception.h"
#include "core/text.h"

namespace rb {
namespace {

constexpr size_t kOutChunk = 65536;      // compressed output handed to the file
constexpr size_t kInChunk = 65536;       // compressed input read from the file
constexpr size_t kInflateBlock = 262144;  // decompressed output asked for at a time

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

const char* const kCompressError = "Error while compressing ZLib stream.";
const char* const kDecompressError = "Error while decompressing ZLib stream.";

File OpenFile(const std::string& name, const char* mode, const char* verb) {
    File f(std::fopen(name.c_str(), mode));
    if (!f) {
        throw Exception(Format("Cannot %s file \"%s\". %s", verb, name.c_str(),
                               std::strerror(errno)));
    }
    return f;
}

// deflate state released on every path.
struct Deflater {
    z_stream s{};
    Deflater() {
        if (deflateInit2(&s, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
            throw Exception(kCompressError);
        }
    }
    ~Deflater() { deflateEnd(&s); }
};

struct Inflater {
    z_stream s{};
    Inflater() {
        if (inflateInit(&s) != Z_OK) throw Exception(kDecompressError);
    }
    ~Inflater() { inflateEnd(&s); }
};

}  // namespace

namespace {

// Compresses `text` whole, handing the output to `sink` a chunk at a time.
template <class Sink>
void Deflate(std::string_view text, Sink&& sink) {
    Deflater z;
    std::vector<unsigned char> out(kOutChunk);
    z.s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    size_t remaining = text.size();
    int rc = Z_OK;
    do {
        // zlib counts input in 32-bit units: feed very large texts in slices.
        if (z.s.avail_in == 0 && remaining > 0) {
            const size_t slice = remaining > (1u << 30) ? (1u << 30) : remaining;
            z.s.avail_in = static_cast<uInt>(slice);
            remaining -= slice;
        }
        z.s.next_out = out.data();
        z.s.avail_out = static_cast<uInt>(out.size());
        rc = deflate(&z.s, remaining == 0 ? Z_FINISH : Z_NO_FLUSH);
        if (rc == Z_STREAM_ERROR) throw Exception(kCompressError);
        const size_t produced = out.size() - z.s.avail_out;
        if (produced) sink(out.data(), produced);
    } while (rc != Z_STREAM_END);
}

}  // namespace

void WritePackageFile(std::string_view text, const std::string& fileName) {
    std::remove(fileName.c_str());
    File file = OpenFile(fileName, "wb", "create");
    Deflate(text, [&](const unsigned char* data, size_t size) {
        if (std::fwrite(data, 1, size, file.get()) != size) {
            throw Exception(Format("Cannot write file \"%s\". %s", fileName.c_str(),
                                   std::strerror(errno)));
        }
    });
    if (std::fclose(file.release()) != 0) {
        throw Exception(Format("Cannot write file \"%s\".", fileName.c_str()));
    }
}

std::string PackageBytes(std::string_view text) {
    std::string bytes;
    Deflate(text, [&](const unsigned char* data, size_t size) {
        bytes.append(reinterpret_cast<const char*>(data), size);
    });
    return bytes;
}

std::string ReadPackageContent(const std::string& fileName, size_t maxContent) {
    File file = OpenFile(fileName, "rb", "open");
    Inflater z;
    std::vector<unsigned char> in(kInChunk);
    std::vector<unsigned char> block(kInflateBlock);
    std::string text;
    bool sawInput = false;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        if (z.s.avail_in == 0) {
            const size_t got = std::fread(in.data(), 1, in.size(), file.get());
            if (got == 0) {
                if (std::ferror(file.get())) throw Exception(kDecompressError);
                // An empty file is an empty package; a stream that stops before its end is a
                // package cut short, which must not pass for a complete inventory.
                if (!sawInput) return text;
                throw Exception(std::string(kDecompressError) +
                                " The package is incomplete: it ends before its compressed "
                                "data does.");
            }
            sawInput = true;
            z.s.next_in = in.data();
            z.s.avail_in = static_cast<uInt>(got);
        }
        z.s.next_out = block.data();
        z.s.avail_out = static_cast<uInt>(block.size());
        rc = inflate(&z.s, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
            throw Exception(kDecompressError);
        }
        const size_t produced = block.size() - z.s.avail_out;
        if (text.size() + produced > maxContent) {
            throw Exception(Format("%s The package's content exceeds %u MiB.", kDecompressError,
                                   static_cast<unsigned>(maxContent >> 20)));
        }
        text.append(reinterpret_cast<const char*>(block.data()), produced);
    }
    // Bytes after the end of the stream are not part of a package: ignored.
    return text;
}

void ReadPackageFile(const std::string& fileName, THeader& header, std::string& xml) {
    ParseHeader(ReadPackageContent(fileName), header, xml);
}

}  // namespace rb
