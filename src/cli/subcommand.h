// What every mireva-cli subcommand does before its own work: the options parsed,
// --help answered, the required options checked, the worksheet and the settings file
// named on the command line opened; and its messages, each starting
// "mireva-cli NAME: ".
#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

#include "cli/cli_args.h"
#include "cli/commands.h"

namespace mireva {
class WorksheetDocument;
}

namespace mireva::cli {

class Subcommand {
public:
    Subcommand(std::string name, std::string_view help, std::ostream& out, std::ostream& err);

    // Reads the arguments. Returns the exit status when the command ends here: kExitOk
    // after printing the help for --help or -h, kExitUsage after a message for an
    // unknown option, an option without its value or a missing required option;
    // nothing when the command goes on.
    std::optional<int> start(const Args& args, const std::set<std::string>& valued, const std::set<std::string>& flags,
                             std::initializer_list<const char*> required);

    const CliArgs& options() const { return options_; }
    // The value of an option checked as required by start().
    std::string required(const std::string& name) const { return options_.value(name).value_or(std::string()); }

    // "mireva-cli NAME: message" and a hint to the help; returns kExitUsage.
    int usageError(const std::string& message) const;
    // "mireva-cli NAME: message"; returns `status`.
    int fail(int status, const std::string& message) const;

    // Loads the worksheet named by --worksheet; false after "cannot read the worksheet W"
    // when it is missing, a folder or unreadable.
    bool loadWorksheet(WorksheetDocument& worksheet) const;
    // The settings file named by --settings, in `path` (left empty without the option).
    // A named file must exist and be readable: a mistyped name or an unreadable file
    // would silently give the defaults, and reading a settings file creates a missing
    // one. False after "cannot read the settings file F: reason".
    bool settingsFile(std::optional<std::filesystem::path>& path) const;
    // The start of a subcommand on the worksheet named by --worksheet: start() without
    // flags, then the worksheet loaded and, given `settingsPath`, the settings file
    // checked, as the calls above do. Returns the exit status when the command ends here
    // (help, wrong usage, unreadable inputs); nothing when it goes on.
    std::optional<int> startOnWorksheet(const Args& args, const std::set<std::string>& valued,
                                        std::initializer_list<const char*> required, WorksheetDocument& worksheet,
                                        std::optional<std::filesystem::path>* settingsPath = nullptr);

    // Replaces the file at `path` by `content` in one step: kExitOk, or kExitFailed after
    // "cannot write PATH: reason" ("cannot rewrite" for a file that was the input).
    enum class Target { Output, Input };
    int writeFile(const std::string& path, const std::string& content, Target target = Target::Output) const;
    // "mireva-cli NAME: stopped; PATH left as it was" after Ctrl+C; returns kExitInterrupted.
    int stopped(const std::string& path) const;

private:
    std::string name_;
    std::string_view help_;
    std::ostream& out_;
    std::ostream& err_;
    CliArgs options_;
};

}  // namespace mireva::cli
