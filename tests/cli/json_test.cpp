// quarvel-cli list --json read by Python's JSON parser: valid for any name, and agreeing line
// for line with the plain listing and the locations.
#include "support/CliRunner.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#ifndef _WIN32
#include "support/RealFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace quarvel::test;

namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> Split(const std::string& line, std::size_t maxFields = 0) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '\t' && (maxFields == 0 || fields.size() < maxFields))
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// The JSON lines as the script reads them back: path, kind, name, language, location, images.
std::vector<Lines> ParsedJson(const std::vector<std::string>& args, const std::string& scratch) {
    std::vector<std::string> command{"list", "--json"};
    command.insert(command.end(), args.begin(), args.end());
    const CliResult r = RunCli(command, scratch);
    EXPECT_EQ(r.err, "");
    const std::string saved = scratch + "/json.txt";
    std::ofstream(saved, std::ios::binary) << r.out;
    const std::string parsed = RunCommand("python3 '" + std::string(QUARVEL_CLI_TEST_DIR) +
                                          "/support/json_fields.py' < '" + saved + "'");
    std::vector<Lines> rows;
    std::size_t start = 0;
    for (std::size_t end; (end = parsed.find('\n', start)) != std::string::npos; start = end + 1)
        rows.push_back(Split(parsed.substr(start, end - start)));
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(std::count(r.out.begin(), r.out.end(), '\n')))
        << parsed;
    return rows;
}

// Checks the rows against `list` and `list --locations` over the same arguments.
void ExpectAgreement(const std::vector<Lines>& rows, const std::vector<std::string>& args,
                     const std::string& scratch) {
    std::vector<std::string> plain{"list"}, located{"list", "--locations"};
    plain.insert(plain.end(), args.begin(), args.end());
    located.insert(located.end(), args.begin(), args.end());
    const Lines lines = RunCli(plain, scratch).OutLines();
    const Lines locations = RunCli(located, scratch).OutLines();
    ASSERT_EQ(rows.size(), lines.size());
    Lines locationsOfRows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 6u) << lines[i];
        EXPECT_EQ(rows[i][0] + "\t" + rows[i][1] + "\t" + rows[i][2] + "\t" + rows[i][3], lines[i]);
        if (rows[i][1] != "cursor")
            locationsOfRows.push_back(rows[i][4]);
    }
    EXPECT_EQ(locationsOfRows, locations);
}

} // namespace

TEST(CliJson, NamesWithQuotesBackslashesControlsAndNonAsciiStayExact) {
    TempFolder dir, scratch;
    const Bytes b48 = MakeBmpImage(48, 32), png = MakePngImage(256, 256);
    ResourceTree tree;
    AddIconGroup(tree, u"say \"hi\"\\ \u017c\u00f3\u0142w \u732b \U0001F600", 1033, {b48, png},
                 {48, 0}, {32, 32}, 10);
    AddIconGroup(tree, u"tab\there/", 0, {b48}, {48}, {32}, 20);
    AddIconGroup(tree, 7, 1031, {png}, {0}, {32}, 30);
    const std::string app = dir.Write("a \"quoted\" \\ back\\slash \u00e9\u65e5\u672c.exe",
                                      BuildImageWithResources(tree));
    const std::string ico =
        dir.Write("new\nline \x01.ico", MakeIcoFile({EntryFor(b48, 48, 32, 0)}, {b48}));
    const std::vector<Lines> rows = ParsedJson({app, ico}, scratch.Path());
    ExpectAgreement(rows, {app, ico}, scratch.Path());
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][5], "48x48x32,256x256x32png");
    EXPECT_EQ(rows[2][5], "256x256x32png");
    EXPECT_EQ(rows[3][5], "48x48x32");
}

// A Linux file name is only bytes: those that are not UTF-8 become U+FFFD and the line stays valid.
TEST(CliJson, InvalidUtf8InAFileNameStillGivesValidJson) {
    TempFolder dir, scratch;
    const Bytes b16 = MakeBmpImage(16, 8);
    const Bytes ico = MakeIcoFile({EntryFor(b16, 16, 8, 0)}, {b16});
    const std::string bad = dir.Write("bad\xff\xc3(\xed\xa0\x80\xe6\x97.ico", ico);
    const std::vector<Lines> rows = ParsedJson({bad}, scratch.Path());
    ASSERT_EQ(rows.size(), 1u);
    const std::string fffd = "\xef\xbf\xbd";
    EXPECT_EQ(rows[0][0],
              dir.File("bad" + fffd + fffd + "(" + fffd + fffd + fffd + fffd + fffd + ".ico"));
    EXPECT_EQ(rows[0][5], "16x16x8");
}

TEST(CliJson, WineLibrariesAgreeWithThePlainListing) {
    TempFolder scratch;
    if (WineLibraryFiles().empty())
        GTEST_SKIP() << "Wine's libraries are not installed";
    const std::vector<std::string> args{"--kind", "all",
                                        "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows"};
    const std::vector<Lines> rows = ParsedJson(args, scratch.Path());
    EXPECT_GT(rows.size(), 100u);
    ExpectAgreement(rows, args, scratch.Path());
}
#endif
