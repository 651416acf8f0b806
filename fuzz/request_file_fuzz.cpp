// The request-file reader (".rpg"): sections, sender, destination and the unattended flag.
#include "connection/connection_module.h"
#include "fuzz_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& file = rb::fuzz::InputFile(".rpg");
    rb::fuzz::WriteInputFile(file, rb::fuzz::AsText(data, size));
    rb::fuzz::Refusable([&] {
        rb::TdmKestrinConnection connection;
        connection.LoadRequest(file);
    });
    return 0;
}
