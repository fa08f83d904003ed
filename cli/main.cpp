// quarvel-cli: the icon engine on the command line (list and extract the icons of files).
#include "Commands.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quarvel::cli {

int UsageError() {
    std::fputs(
        "usage: quarvel-cli list [-r] [--locations] [--kind icon|cursor|all] PATH...\n"
        "       quarvel-cli extract [-r] [--overwrite] [--format ico|bmp|png]\n"
        "                           [--all-sizes | --size N] [--kind icon|cursor|all]\n"
        "                           -o FOLDER PATH...\n"
        "       list and extract also take [--unique] [--min-size N] before the paths\n",
        stderr);
    return kExitUsage;
}

} // namespace quarvel::cli

#ifdef _WIN32
namespace {
// Where the manifest made UTF-8 the code page, names are printed in UTF-8: the console is told
// so for the run (it shows the OEM code page otherwise) and given its own back at the end.
class ConsoleInUtf8 {
public:
    ConsoleInUtf8() : m_previous(GetACP() == CP_UTF8 ? GetConsoleOutputCP() : 0) {
        if (m_previous != 0 && m_previous != CP_UTF8)
            SetConsoleOutputCP(CP_UTF8);
    }
    ~ConsoleInUtf8() {
        std::fflush(stdout);
        if (m_previous != 0 && m_previous != CP_UTF8)
            SetConsoleOutputCP(m_previous);
    }
    ConsoleInUtf8(const ConsoleInUtf8&) = delete;
    ConsoleInUtf8& operator=(const ConsoleInUtf8&) = delete;

private:
    UINT m_previous; // 0: no console, or nothing to change
};
} // namespace
#endif

int main(int argc, char** argv) {
    using namespace quarvel::cli;
#ifdef _WIN32
    const ConsoleInUtf8 console;
#endif
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
