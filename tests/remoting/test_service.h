// The collecting service the end-to-end tests talk to over real HTTP: natively a reference
// service started inside the test program, under Wine the one the test script started
// (its address in RBINFO_TEST_SERVICE_URL). Its test routes are on.
#pragma once

#include <string>

namespace rb {

// "http://127.0.0.1:<port>", or "" when no service is available (the tests are then skipped).
std::string TestServiceRoot();

}  // namespace rb
