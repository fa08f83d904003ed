// The subcommands of quarvel-cli; each answers the process exit status.
#pragma once

#include <string>
#include <vector>

namespace quarvel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// list [-r] [--locations | --json] [--kind icon|cursor|all] [--unique] [--min-size N] PATH...
int RunList(const std::vector<std::string>& args);
// extract [-r] [--overwrite] [--format ico|bmp|png] [--all-sizes | --size N]
//         [--kind icon|cursor|all] [--unique] [--min-size N] -o FOLDER PATH...
int RunExtract(const std::vector<std::string>& args);

// thumbnail -s SIZE INPUT OUTPUT.png
int RunThumbnail(const std::vector<std::string>& args);

// Prints the usage on stderr and answers kExitUsage.
int UsageError();
// --help: the usage on stdout; kExitOk.
int PrintHelp();
// --version: "quarvel-cli <version>" on stdout; kExitOk.
int PrintVersion();

} // namespace quarvel::cli
