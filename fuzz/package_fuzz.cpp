// The package reader: a ".fzp" file's zlib stream, then its header lines and XML text.
#include "connection/package_file.h"
#include "fuzz_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& file = rb::fuzz::InputFile(".fzp");
    rb::fuzz::WriteInputFile(file, rb::fuzz::AsText(data, size));
    rb::fuzz::Refusable([&] {
        rb::THeader header;
        std::string xml;
        // A bound well under the program's keeps each run quick; the check is the same.
        const std::string content = rb::ReadPackageContent(file, 16u << 20);
        rb::ParseHeader(content, header, xml);
    });
    return 0;
}
