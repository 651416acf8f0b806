#include "service/commands/commands.h"

int main(int argc, char** argv) {
    return rb::service::Main(argc, argv);
}
