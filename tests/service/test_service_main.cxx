// kestrin-test-service: the collecting service with the test routes mounted beside the remote
// call, for the Windows tests of the program's client. Same command line as kestrin-service.
#include "service/commands/commands.h"
#include "service/test_routes.h"

int main(int argc, char** argv) {
    return rb::service::Main(argc, argv, rb::test::MountTestRoutes);
}
