#include "ingest/ui/read_wizard.h"

#include <QDialog>

#include "uikit/message_boxes.h"
#include "ingest/ui/wizard_pages.h"

namespace mireva::ui {
namespace {

ReadWizard::PageRunner& pageRunner() {
    static ReadWizard::PageRunner runner;
    return runner;
}

int runPage(QDialog& page) {
    if (pageRunner()) return pageRunner()(page);
    return page.exec();
}

}  // namespace

bool hasCsvExtension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return false;
    const QString ext = path.mid(dot + 1);
    return ext == QLatin1String("csv") || ext == QLatin1String("CSV");
}

bool ReadWizard::run(QWidget* parent, WizardPaths& out) {
    for (;;) {
        LocationTablePage first(parent);
        if (runPage(first) != QDialog::Accepted) return false;
        const QString table = first.path();
        if (!hasCsvExtension(table)) {
            MessageBoxes::error(parent, QStringLiteral("CSVファイルの拡張子ではありません。"));
            continue;
        }
        DataFolderPage second(parent);
        second.setInitialFolder(table);
        if (runPage(second) != QDialog::Accepted) continue;
        out.locationTable = table;
        out.dataFolder = second.path();
        return true;
    }
}

void ReadWizard::setPageRunner(PageRunner runner) { pageRunner() = std::move(runner); }

}  // namespace mireva::ui
