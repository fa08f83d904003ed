// quarvel-cli: the icon engine on the command line (list and extract the icons of files).
#include "Commands.h"

#include <cstdio>
#include <cstring>

namespace quarvel::cli {

int UsageError() {
    std::fputs(
        "usage: quarvel-cli list [-r] [--locations] PATH...\n"
        "       quarvel-cli extract [-r] [--overwrite] [--format ico|bmp|png] [--all-sizes]\n"
        "                           -o FOLDER PATH...\n",
        stderr);
    return kExitUsage;
}

} // namespace quarvel::cli

int main(int argc, char** argv) {
    using namespace quarvel::cli;
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    if (argc < 2)
        return UsageError();
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (std::strcmp(argv[1], "list") == 0)
        return RunList(args);
    if (std::strcmp(argv[1], "extract") == 0)
        return RunExtract(args);
    return UsageError();
}
