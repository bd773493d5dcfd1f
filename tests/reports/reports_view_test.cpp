// The view's print, preview and printer setup requests reach the report with the
// session's worksheet, current selection and settings.
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_view.h"
#include "reports/ui/report_printing.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {

std::string worksheetOf(int places) {
    std::string out = "groups\r\nnames\r\n";
    for (int line = 0; line < places * kRowsPerPlace; ++line) {
        out += "d,t," + test::cp("居間:レベル") + ",m,o";
        for (int c = 0; c < kChannelCount; ++c) out += ",1";
        out += "\r\n";
    }
    return out;
}

TEST(ReportsInTheView, RequestsUseTheSessionAsItIsAtTheRequest) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    AppView view;
    test::writeFile(view.session().locations.worksheet(), worksheetOf(11));

    int printMax = 0, previewPages = 0;
    QString jobName;
    ReportPrinting::setDialogHooks({[&](QPrintDialog& d) {
                                        printMax = d.maxPage();
                                        jobName = d.printer()->docName();
                                        return false;
                                    },
                                    [&](QPrintPreviewDialog& d) {
                                        auto* w = d.findChild<QPrintPreviewWidget*>();
                                        w->updatePreview();
                                        previewPages = w->pageCount();
                                        return true;
                                    },
                                    {}});
    // 26 channels: two combined and two band groups, two row blocks.
    for (int c = 90; c < 116; ++c) view.session().summary.current.channelHasValue[c] = 1;
    view.print();
    view.printPreview();
    EXPECT_EQ(printMax, 8);
    EXPECT_EQ(previewPages, 8);
    EXPECT_EQ(jobName, "報告書") << "the job carries the report name";

    view.session().summary.current.channelHasValue[115] = 0;  // edited in the channel settings
    view.print();
    EXPECT_EQ(printMax, 4);

    std::filesystem::remove(view.session().locations.worksheet());
    view.print();
    EXPECT_EQ(dialogs.texts(), QStringList{nothingToPrintText()});
    ReportPrinting::setDialogHooks({});
}

}  // namespace
}  // namespace mireva::ui
