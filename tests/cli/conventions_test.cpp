// quarvel-cli as command-line tools behave: --help, --version and the exit statuses.
#include "support/CliRunner.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quarvel::test;

using Lines = std::vector<std::string>;

TEST(CliConventions, HelpGoesToStandardOutputAndSucceeds) {
    TempFolder scratch;
    const CliResult bare = RunCli({}, scratch.Path());
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.out, "");
    for (const Lines& args :
         {Lines{"--help"}, Lines{"-h"}, Lines{"list", "--help"}, Lines{"thumbnail", "-h"}}) {
        const std::string flag = args.back();
        const CliResult r = RunCli(args, scratch.Path());
        EXPECT_EQ(r.status, 0) << flag;
        EXPECT_EQ(r.err, "") << flag;
        EXPECT_EQ(r.out, bare.err) << flag << ": the same text as a usage error";
        for (const char* part : {"quarvel-cli list", "quarvel-cli extract", "quarvel-cli thumbnail",
                                 "--json", "exit status: 0 all done, 1 some paths failed, 2 usage"})
            EXPECT_NE(r.out.find(part), std::string::npos) << flag << " lacks " << part;
    }
}

TEST(CliConventions, VersionIsTheProjectVersion) {
    TempFolder scratch;
    const CliResult r = RunCli({"--version"}, scratch.Path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "quarvel-cli " QUARVEL_PROJECT_VERSION "\n");
    EXPECT_EQ(r.err, "");
}

// 2 for anything the usage does not allow, before any file is looked at; 1 when a path fails.
TEST(CliConventions, ExitStatusesSeparateUsageErrorsFromFailedPaths) {
    TempFolder dir, scratch;
    for (const Lines& args : {Lines{"--help", "list"}, Lines{"--version", "x"}, Lines{"-v"},
                              Lines{"help"}, Lines{"list", "--help", "a.exe"}}) {
        const CliResult r = RunCli(args, scratch.Path());
        EXPECT_EQ(r.status, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_EQ(r.out, "");
    }
    const CliResult missing = RunCli({"list", dir.File("gone.exe")}, scratch.Path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "quarvel-cli: " + dir.File("gone.exe") + ": does not exist\n");
}
