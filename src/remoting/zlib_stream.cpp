#include "remoting/zlib_stream.h"

#include <zlib.h>

#include <vector>

#include "core/exception.h"
#include "core/text.h"

namespace rb {
namespace {

[[noreturn]] void ZlibError(const z_stream& z, int rc) {
    throw Exception(z.msg ? z.msg : zError(rc));
}

// The zlib states, ended on every path.
struct Deflater {
    z_stream z{};
    Deflater() {
        const int rc = deflateInit2(&z, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
        if (rc != Z_OK) ZlibError(z, rc);
    }
    ~Deflater() { deflateEnd(&z); }
};

struct Inflater {
    z_stream z{};
    Inflater() {
        const int rc = inflateInit(&z);
        if (rc != Z_OK) ZlibError(z, rc);
    }
    ~Inflater() { inflateEnd(&z); }
};

}  // namespace

void DeflateInto(MemoryStream& destination, const uint8_t* data, size_t size) {
    Deflater d;
    std::vector<uint8_t> out(deflateBound(&d.z, static_cast<uLong>(size)));
    d.z.next_in = const_cast<Bytef*>(data);
    d.z.avail_in = static_cast<uInt>(size);
    d.z.next_out = out.data();
    d.z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&d.z, Z_FINISH);  // the bound guarantees one pass
    if (rc != Z_STREAM_END) ZlibError(d.z, rc);
    destination.Write(out.data(), d.z.total_out);
}

std::unique_ptr<MemoryStream> InflateFrom(MemoryStream& source, size_t bufferSize, size_t maxSize) {
    Inflater i;
    auto body = std::make_unique<MemoryStream>();
    std::vector<uint8_t> buffer(bufferSize);
    i.z.next_in = const_cast<Bytef*>(source.Data() + source.Position());
    i.z.avail_in = static_cast<uInt>(source.Remaining());
    for (;;) {
        i.z.next_out = buffer.data();
        i.z.avail_out = static_cast<uInt>(buffer.size());
        const int rc = inflate(&i.z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) {
            if (rc == Z_BUF_ERROR) throw Exception("unexpected end of compressed data");
            ZlibError(i.z, rc);
        }
        const size_t produced = buffer.size() - i.z.avail_out;
        if (body->Size() + produced > maxSize) {
            throw Exception(Format("Compressed data expands beyond %u bytes", unsigned(maxSize)));
        }
        body->Write(buffer.data(), produced);
        if (rc == Z_STREAM_END) break;
    }
    source.SetPosition(source.Size() - i.z.avail_in);
    body->SetPosition(0);
    return body;
}

}  // namespace rb
