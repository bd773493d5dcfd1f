#include <gtest/gtest.h>

#include <sstream>

#include "cli/subcommand.h"
#include "core/worksheet_document.h"
#include "support/test_support.h"

namespace mireva::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHelp = "usage: mireva-cli demo --worksheet W [--settings S] [--fast]\n";

struct Outcome {
    std::optional<int> done;
    std::string out, err;
};

Outcome startWith(const Args& args) {
    std::ostringstream out, err;
    Subcommand command("demo", kHelp, out, err);
    Outcome o;
    o.done = command.start(args, {"--worksheet", "--settings"}, {"--fast"}, {"--worksheet"});
    o.out = out.str();
    o.err = err.str();
    return o;
}

TEST(Subcommand, StartAnswersHelpAndRefusesWrongUsage) {
    const std::string hint = "Try 'mireva-cli demo --help'.\n";
    struct Case {
        const char* what;
        Args args;
        std::optional<int> done;
        std::string out, err;
    } cases[] = {
        {"help wins over everything", {"--bogus", "-h"}, kExitOk, kHelp, ""},
        {"long help", {"--worksheet", "w.csv", "--help"}, kExitOk, kHelp, ""},
        {"unknown option",
         {"--worksheet", "w.csv", "--bogus"},
         kExitUsage,
         "",
         "mireva-cli demo: unknown argument: --bogus\n" + hint},
        {"option without its value",
         {"--worksheet"},
         kExitUsage,
         "",
         "mireva-cli demo: option --worksheet needs a value\n" + hint},
        {"required option missing", {"--fast"}, kExitUsage, "", "mireva-cli demo: missing --worksheet\n" + hint},
        {"goes on", {"--fast", "--worksheet", "w.csv"}, std::nullopt, "", ""},
    };
    for (const Case& c : cases) {
        Outcome o = startWith(c.args);
        EXPECT_EQ(o.done, c.done) << c.what;
        EXPECT_EQ(o.out, c.out) << c.what;
        EXPECT_EQ(o.err, c.err) << c.what;
    }
}

TEST(Subcommand, WorksheetAndSettingsFilesMustBeReadable) {
    test::TempDir dir;
    test::writeFile(dir / "w.csv", ",,,,,\r\n");
    test::writeFile(dir / "Mireva.ini", "[PrintData2]\r\n");
    fs::create_directories(dir / "folder");
    struct Case {
        const char* what;
        std::string worksheet, settings;  // settings empty: option not given
        bool worksheetRead, settingsRead;
        std::string err;
    } cases[] = {
        {"both readable", "w.csv", "Mireva.ini", true, true, ""},
        {"no settings option", "w.csv", "", true, true, ""},
        {"missing worksheet", "none.csv", "", false, true, "cannot read the worksheet "},
        {"worksheet is a folder", "folder", "", false, true, "cannot read the worksheet "},
        {"mistyped settings", "w.csv", "Mirova.ini", true, false,
         "cannot read the settings file " + (dir / "Mirova.ini").string() + ": No such file or directory"},
        {"settings is a folder", "w.csv", "folder", true, false, "cannot read the settings file "},
        {"settings through a file", "w.csv", "w.csv/Mireva.ini", true, false,
         "cannot read the settings file " + (dir / "w.csv/Mireva.ini").string() + ": Not a directory"},
        {"settings that cannot be read", "w.csv", "/proc/self/mem", true, false,
         "cannot read the settings file /proc/self/mem: Input/output error"},
    };
    for (const Case& c : cases) {
        Args args = {"--worksheet", (dir / c.worksheet).string()};
        if (!c.settings.empty()) args.insert(args.end(), {"--settings", (dir / c.settings).string()});
        std::ostringstream out, err;
        Subcommand command("demo", kHelp, out, err);
        ASSERT_FALSE(command.start(args, {"--worksheet", "--settings"}, {}, {"--worksheet"})) << c.what;
        WorksheetDocument worksheet;
        std::optional<fs::path> settings;
        EXPECT_EQ(command.loadWorksheet(worksheet), c.worksheetRead) << c.what;
        EXPECT_EQ(command.settingsFile(settings), c.settingsRead) << c.what;
        EXPECT_EQ(settings.has_value(), c.settingsRead && !c.settings.empty()) << c.what;
        if (c.err.empty())
            EXPECT_EQ(err.str(), "") << c.what;
        else
            EXPECT_EQ(err.str().rfind("mireva-cli demo: " + c.err, 0), 0u) << c.what << ": " << err.str();
        EXPECT_FALSE(fs::exists(dir / "Mirova.ini")) << c.what << ": a mistyped settings name was created";
    }
}

}  // namespace
}  // namespace mireva::cli
