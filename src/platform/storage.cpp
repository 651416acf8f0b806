// The portable copy and file test: the Windows platform asks the system instead.
#include <cstdio>
#include <memory>
#include <string>

#include "platform/storage.h"

namespace rb::platform {

FileCopy StorageArea::CopyFileReplacing(std::string_view from, std::string_view to) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    using File = std::unique_ptr<std::FILE, Closer>;
    File in(std::fopen(std::string(from).c_str(), "rb"));
    if (!in) return {};
    File out(std::fopen(std::string(to).c_str(), "wb"));
    if (!out) return {};
    char buf[65536];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, in.get())) > 0) {
        if (std::fwrite(buf, 1, got, out.get()) != got) return {};
    }
    return {!std::ferror(in.get()) && std::fclose(out.release()) == 0, 0};
}

bool StorageArea::FileExists(std::string_view path) {
    std::FILE* file = std::fopen(std::string(path).c_str(), "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}

}  // namespace rb::platform
