// Under Wine the reference service is a native program: the script that runs these tests
// (tests/service/wine_channel_test.sh) starts it and passes its address.
#include <cstdlib>
#include <string>

#include "remoting/test_service.h"

namespace rb {

std::string TestServiceRoot() {
    const char* url = std::getenv("RBINFO_TEST_SERVICE_URL");
    if (!url) return "";
    std::string root = url;
    const size_t path = root.find('/', root.find("//") + 2);  // keep scheme, host and port
    return path == std::string::npos ? root : root.substr(0, path);
}

}  // namespace rb
