#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace rb {

TempDir::TempDir() {
#ifdef _WIN32
    const char* base = std::getenv("TEMP");  // a Windows path, also under Wine
#else
    const char* base = std::getenv("TMPDIR");
#endif
    if (!base || !*base) base = "/tmp";
    std::random_device rd;
    path_ = std::string(base) + "/rbinfo-test-" + std::to_string(rd() % 1000000000u);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace rb
