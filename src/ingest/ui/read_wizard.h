// The read wizard: page 1 for the location table, the extension check, page 2 for the
// data folder; "戻る" and a refused table start over with an empty page 1.
#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace mireva::ui {

struct WizardPaths {
    QString locationTable;
    QString dataFolder;
};

// True when the text after the last "." is exactly "csv" or "CSV".
bool hasCsvExtension(const QString& path);

class ReadWizard {
public:
    // Runs the pages modally; true with both paths when the user finished the wizard,
    // false when page 1 was cancelled.
    static bool run(QWidget* parent, WizardPaths& out);

    // Runs one modal page and returns its result; tests replace it to drive the real
    // page widgets without a nested event loop. An empty runner restores exec().
    using PageRunner = std::function<int(QDialog&)>;
    static void setPageRunner(PageRunner runner);
};

}  // namespace mireva::ui
