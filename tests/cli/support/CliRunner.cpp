// Running quarvel-cli through the system's shell with redirected output.
#include "CliRunner.h"

#include "support/HostPath.h"
#include "support/TempFiles.h"

#include <cstdlib>
#include <sstream>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace quarvel::test {

namespace {

std::string WithoutCr(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::uint8_t c : bytes)
        if (c != '\r')
            text += static_cast<char>(c);
    return text;
}

} // namespace

std::vector<std::string> CliResult::OutLines() const {
    std::vector<std::string> lines;
    std::istringstream text(out);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& scratch) {
    const std::string outPath = scratch + "/cli-out.txt";
    const std::string errPath = scratch + "/cli-err.txt";
    std::string command = "\"" + HostPath(QUARVEL_CLI) + "\"";
    for (const std::string& arg : args)
        command += " \"" + arg + "\"";
    command += " >\"" + outPath + "\" 2>\"" + errPath + "\"";
#ifdef _WIN32
    // cmd.exe strips the outer quotes of a command line that starts with one.
    command = "\"" + command + "\"";
#endif
    CliResult result;
    const int raw = std::system(command.c_str());
#ifdef _WIN32
    result.status = raw;
#else
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    result.out = WithoutCr(ReadFileBytes(outPath));
    result.err = WithoutCr(ReadFileBytes(errPath));
    return result;
}

} // namespace quarvel::test
