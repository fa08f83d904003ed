// What quarvel-cli says about itself: its usage (on a usage error or when asked) and its version.
#include "Commands.h"

#include <cstdio>

namespace quarvel::cli {

namespace {

const char kUsage[] =
    "usage: quarvel-cli list [-r] [--locations | --json] [--kind icon|cursor|all]\n"
    "                        [--unique] [--min-size N] PATH...\n"
    "       quarvel-cli extract [-r] [--overwrite] [--format ico|bmp|png]\n"
    "                           [--all-sizes | --size N] [--kind icon|cursor|all]\n"
    "                           [--unique] [--min-size N] -o FOLDER PATH...\n"
    "       quarvel-cli thumbnail -s SIZE INPUT OUTPUT.png\n"
    "       quarvel-cli --help | --version\n"
    "exit status: 0 all done, 1 some paths failed, 2 usage error\n";

} // namespace

int UsageError() {
    std::fflush(stdout);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

int PrintHelp() {
    std::fputs(kUsage, stdout);
    std::fflush(stdout);
    return kExitOk;
}

int PrintVersion() {
    std::puts("quarvel-cli " QUARVEL_CLI_VERSION);
    std::fflush(stdout);
    return kExitOk;
}

} // namespace quarvel::cli
