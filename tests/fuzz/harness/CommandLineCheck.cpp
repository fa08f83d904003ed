// The command-line target: quarvel-cli list, extract and thumbnail, run in-process on the bytes
// stored once as an image file and once as an .ico file.
#include "FuzzChecks.h"

#include "Commands.h"
#include "IconCollector.h"
#include "ScratchFiles.h"
#include "engine/IconImageSet.h"
#include "engine/PngReader.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quarvel::fuzz {

namespace {

// Runs a command with its standard output going to a file; answers its exit status.
template <typename Command> int RunCapturingOutput(Command command, const std::string& outputPath) {
    std::fflush(stdout);
    FILE* capture = std::fopen(outputPath.c_str(), "wb");
    if (capture == nullptr)
        return -1;
    const int saved = dup(1);
    dup2(fileno(capture), 1);
    const int status = command();
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    std::fclose(capture);
    return status;
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string CheckList(const std::string& input, std::size_t listed, const std::string& output) {
    const int status = RunCapturingOutput([&] { return cli::RunList({input}); }, output);
    const auto lines = Lines(output);
    std::remove(output.c_str());
    if (status != cli::kExitOk && status != cli::kExitFailure)
        return "list answered status " + std::to_string(status);
    if (lines.size() != listed)
        return "list printed " + std::to_string(lines.size()) + " lines for " +
               std::to_string(listed) + " icons";
    for (const std::string& line : lines) {
        if (line.compare(0, input.size() + 1, input + "\t") != 0)
            return "list printed a line that does not start with the path";
        if (std::count(line.begin(), line.end(), '\t') != 3)
            return "list printed a line without its four fields: " + line;
    }
    return "";
}

// Every file extract wrote is a whole .ico file; nothing else is there. Files written from
// groups must read back when they carry an icon's header (an .ico input is copied as it is).
std::string CheckExtract(const std::string& input, std::size_t listed, const std::string& folder,
                         bool fromGroups) {
    const std::string out = JoinPath(folder, "out");
    std::filesystem::create_directory(out);
    const std::string report = JoinPath(folder, "extract.txt");
    const int status = RunCapturingOutput(
        [&] {
            return cli::RunExtract({"-o", out, input});
        },
        report);
    const auto printed = Lines(report);
    std::remove(report.c_str());
    if (status != cli::kExitOk && status != cli::kExitFailure)
        return "extract answered status " + std::to_string(status);
    for (const std::string& name : FilesUnder(folder)) {
        if (name != "input.exe" && name != "input.ico" && name.rfind("out", 0) != 0)
            return "extract wrote outside its folder: " + name;
    }
    const auto files = FilesUnder(out);
    if (files.size() > listed || printed.size() != files.size())
        return "extract wrote " + std::to_string(files.size()) + " files, printed " +
               std::to_string(printed.size()) + ", for " + std::to_string(listed) + " icons";
    for (const std::string& name : files) {
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".ico") != 0)
            return "extract left " + name;
        const std::vector<std::uint8_t> bytes = ReadBytes(JoinPath(out, name));
        const bool iconHeader = bytes.size() >= 6 && bytes[0] == 0 && bytes[1] == 0 &&
                                bytes[2] == 1 && bytes[3] == 0 && (bytes[4] | bytes[5]) != 0;
        const bool readable = ReadIcoFileImages(JoinPath(out, name).c_str()) != nullptr;
        if (fromGroups && iconHeader && !readable)
            return "extract wrote " + name + ", which does not read back";
    }
    return "";
}

// An .ico input is copied byte for byte.
std::string CheckIcoCopy(const std::string& input, const std::uint8_t* data, std::size_t size,
                         const std::string& folder) {
    const std::string copy = JoinPath(JoinPath(folder, "out"), "input.ico");
    if (std::string p = CheckExtract(input, 1, folder, false); !p.empty())
        return p;
    const std::vector<std::uint8_t> bytes = ReadBytes(copy);
    if (!FileExists(copy) || bytes != std::vector<std::uint8_t>(data, data + size))
        return "extract did not copy the .ico file as it is";
    return "";
}

// A thumbnail is a whole PNG no wider than asked, or (status 1) nothing at all.
std::string CheckThumbnail(const std::string& input, const std::string& folder) {
    for (const int side : {48, 300}) {
        const std::string output = JoinPath(folder, "thumb.png");
        const int status = RunCapturingOutput(
            [&] {
                return cli::RunThumbnail({"-s", std::to_string(side), input, output});
            },
            JoinPath(folder, "thumbnail.txt"));
        std::remove(JoinPath(folder, "thumbnail.txt").c_str());
        const std::vector<std::uint8_t> png = ReadBytes(output);
        const bool written = FileExists(output);
        std::remove(output.c_str());
        for (const std::string& name : FilesUnder(folder)) {
            if (name != "input.exe" && name != "input.ico" && name.rfind("out", 0) != 0)
                return "thumbnail left " + name;
        }
        if (status == cli::kExitFailure && written)
            return "thumbnail failed but wrote a file";
        if (status == cli::kExitFailure)
            continue;
        if (status != cli::kExitOk)
            return "thumbnail answered status " + std::to_string(status);
        const auto picture = DecodePng(ByteView(png.data(), png.size()));
        if (!picture)
            return "thumbnail wrote a PNG that does not decode";
        if (picture->width > side || picture->width < 1)
            return "thumbnail at " + std::to_string(side) + " is " +
                   std::to_string(picture->width) + " pixels wide";
    }
    return "";
}

} // namespace

std::string CheckCommandLine(const std::uint8_t* data, std::size_t size,
                             const std::string& folder) {
    const std::string image = JoinPath(folder, "input.exe");
    const std::string icon = JoinPath(folder, "input.ico");
    if (!WriteBytes(image, data, size) || !WriteBytes(icon, data, size))
        return "cannot write the scratch files";
    cli::IconCollector icons;
    const int listed = ListIconGroups(image.c_str(), &icons);
    if (listed < 0 || static_cast<std::size_t>(listed) != icons.icons.size())
        return "ListIconGroups answered another count than it listed";

    std::string problem = CheckList(image, icons.icons.size(), JoinPath(folder, "list.txt"));
    if (problem.empty() && icons.icons.size() <= kMaxGroupsChecked)
        problem = CheckExtract(image, icons.icons.size(), folder, true);
    if (problem.empty())
        problem = CheckThumbnail(image, folder);
    if (problem.empty())
        problem = CheckThumbnail(icon, folder);
    if (problem.empty())
        problem = CheckList(icon, 1, JoinPath(folder, "list.txt"));
    if (problem.empty()) {
        EmptyFolder(JoinPath(folder, "out"));
        problem = CheckIcoCopy(icon, data, size, folder);
    }
    EmptyFolder(folder);
    return problem;
}

} // namespace quarvel::fuzz
