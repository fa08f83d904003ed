// Runs quarvel-cli as a separate process and captures its output and exit status.
#pragma once

#include <string>
#include <vector>

namespace quarvel::test {

struct CliResult {
    int status = -1;
    std::string out; // stdout, with CR removed
    std::string err; // stderr, with CR removed
    std::vector<std::string> OutLines() const;
};

// Runs quarvel-cli with the arguments (each quoted); `scratch` is a folder for the captures.
CliResult RunCli(const std::vector<std::string>& args, const std::string& scratch);

} // namespace quarvel::test
