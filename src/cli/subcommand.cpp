#include "cli/subcommand.h"

#include "core/file_io.h"
#include "core/input_checks.h"
#include "core/worksheet_document.h"
#include "cli/terminal_progress.h"

namespace mireva::cli {

Subcommand::Subcommand(std::string name, std::string_view help, std::ostream& out, std::ostream& err)
    : name_(std::move(name)), help_(help), out_(out), err_(err) {}

std::optional<int> Subcommand::start(const Args& args, const std::set<std::string>& valued,
                                     const std::set<std::string>& flags, std::initializer_list<const char*> required) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            out_ << help_;
            return kExitOk;
        }
    }
    std::string error;
    if (!options_.parse(args, valued, flags, error)) return usageError(error);
    for (const char* name : required)
        if (!options_.value(name)) return usageError(std::string("missing ") + name);
    return std::nullopt;
}

int Subcommand::usageError(const std::string& message) const {
    err_ << "mireva-cli " << name_ << ": " << message << "\n"
         << "Try 'mireva-cli " << name_ << " --help'.\n";
    return kExitUsage;
}

int Subcommand::fail(int status, const std::string& message) const {
    err_ << "mireva-cli " << name_ << ": " << message << "\n";
    return status;
}

bool Subcommand::loadWorksheet(WorksheetDocument& worksheet) const {
    const std::string path = required("--worksheet");
    if (isDirectory(path) || !worksheet.load(path)) {
        fail(kExitUsage, "cannot read the worksheet " + path);
        return false;
    }
    return true;
}

bool Subcommand::settingsFile(std::optional<std::filesystem::path>& path) const {
    path.reset();
    const auto given = options_.value("--settings");
    if (!given) return true;
    // Reading a settings file never fails by itself (what cannot be read gives the
    // defaults), so a named file is read here once: a file that cannot be read is
    // refused, not taken for one without values.
    if (const std::string why = fileReadFailure(*given); !why.empty()) {
        fail(kExitUsage, "cannot read the settings file " + *given + ": " + why);
        return false;
    }
    path = *given;
    return true;
}

std::optional<int> Subcommand::startOnWorksheet(const Args& args, const std::set<std::string>& valued,
                                                std::initializer_list<const char*> required,
                                                WorksheetDocument& worksheet,
                                                std::optional<std::filesystem::path>* settingsPath) {
    if (auto done = start(args, valued, {}, required)) return done;
    if (!loadWorksheet(worksheet)) return kExitUsage;
    if (settingsPath && !settingsFile(*settingsPath)) return kExitUsage;
    return std::nullopt;
}

int Subcommand::writeFile(const std::string& path, const std::string& content, Target target) const {
    std::string error;
    if (replaceFileContent(path, content, &error)) return kExitOk;
    return fail(kExitFailed, (target == Target::Input ? "cannot rewrite " : "cannot write ") + path + ": " + error);
}

int Subcommand::stopped(const std::string& path) const {
    err_ << "mireva-cli " << name_ << ": stopped; " << path << " left as it was\n";
    return kExitInterrupted;
}

}  // namespace mireva::cli
