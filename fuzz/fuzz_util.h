// Shared by the fuzz targets: running an input through a reader that may refuse it.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/exception.h"

namespace rb::fuzz {

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// Runs `read`; a refusal (an rb::Exception with its message) is a correct answer to damaged
// input. Anything else (a crash, a sanitizer report, another exception) is a fault.
template <class F>
void Refusable(F&& read) {
    try {
        read();
    } catch (const Exception&) {
    }
}

// The readers of files take a file name: the input goes to one file per process.
inline const std::string& InputFile(const char* suffix) {
    static const std::string name =
        "/tmp/rbinfo-fuzz-" + std::to_string(getpid()) + suffix;
    return name;
}
inline void WriteInputFile(const std::string& name, std::string_view bytes) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) __builtin_trap();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace rb::fuzz
