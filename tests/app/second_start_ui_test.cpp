// The program started a second time for the same user: the running start is asked to
// come to the front and the new one ends before it reads or writes any file of the
// user's, so it cannot race the running one's saves of Mireva.ini.
#include <QProcess>
#include <QSignalSpy>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/single_instance.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {

namespace fs = std::filesystem;
using test::cp;

// Sets an environment variable for the test's lifetime (the started program inherits it).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

std::set<std::string> entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

TEST(SecondStart, LeavesTheUsersFilesAsTheyWere) {
    test::TempDir dir;  // the user's data home
    const fs::path runtime = dir / "runtime", tmp = dir / "tmp";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    fs::create_directories(tmp);
    // The lock and the socket of this user's starts, private to the test.
    ScopedEnv runtimeEnv("XDG_RUNTIME_DIR", runtime.string());
    ScopedEnv tmpEnv("TMPDIR", tmp.string());

    // A start that goes on cuts this too long format name and adds FORMAT2 when it
    // writes the names back, and creates worksheet.csv in the data folder.
    const fs::path data = dir.dataFolder();
    const std::string ini = cp("[FormatName]\nFORMAT1=とても長いフォーマットの名前です一二三\n");
    test::writeFile(data / "Mireva.ini", ini);

    SingleInstance running(SingleInstance::defaultKey());
    ASSERT_TRUE(running.tryBecomePrimary());
    QSignalSpy raised(&running, &SingleInstance::raiseRequested);

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(MIREVA_PROGRAM), {});
    ASSERT_TRUE(second.waitForStarted());
    // The request to come to the front is the second start's last step before its
    // message: whatever it would read or write first has been done by now.
    const bool asked = raised.wait(60000);
    second.kill();  // it waits for its message box to be answered
    second.waitForFinished();
    ASSERT_TRUE(asked) << second.readAllStandardError().toStdString();

    EXPECT_EQ(test::readFile(data / "Mireva.ini"), ini);
    EXPECT_EQ(entries(data), std::set<std::string>{"Mireva.ini"});
}

}  // namespace
}  // namespace mireva::ui
