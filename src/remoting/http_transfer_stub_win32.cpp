// Stand-in until this build's HTTP client is written: direct sending fails with a clear message.
#include "remoting/http_transfer_unavailable.h"

namespace rb {

std::unique_ptr<HttpTransfer> CreateHttpTransfer() {
    return std::make_unique<UnavailableHttpTransfer>();
}

}  // namespace rb
