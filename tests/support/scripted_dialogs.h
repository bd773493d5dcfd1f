// Widget tests: records every message box and file dialog the program shows, in
// order, and answers them from scripts. Installed for the lifetime of the object.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

#include "uikit/file_dialogs.h"
#include "uikit/message_boxes.h"

namespace mireva::test {

class ScriptedDialogs {
public:
    ScriptedDialogs() {
        ui::MessageBoxes::setHandler([this](const ui::MessageRequest& r) {
            messages.push_back(r);
            if (answers.empty()) {
                return r.buttons == ui::MessageButtons::Ok         ? ui::MessageAnswer::Ok
                       : r.buttons == ui::MessageButtons::OkCancel ? ui::MessageAnswer::Ok
                                                                   : ui::MessageAnswer::Yes;
            }
            ui::MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
        ui::FileDialogs::setHandler([this](const ui::FileDialogRequest& r) {
            fileRequests.push_back(r);
            if (paths.empty()) return QString();
            QString p = paths.front();
            paths.pop_front();
            return p;
        });
    }
    ~ScriptedDialogs() {
        ui::MessageBoxes::setHandler({});
        ui::FileDialogs::setHandler({});
    }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    QStringList texts() const {
        QStringList out;
        for (const auto& m : messages) out << m.text;
        return out;
    }

    std::vector<ui::MessageRequest> messages;
    std::deque<ui::MessageAnswer> answers;  // answers to questions, in order (default Yes / Ok)
    std::vector<ui::FileDialogRequest> fileRequests;
    std::deque<QString> paths;  // answers to file dialogs, in order (default: cancelled)
};

}  // namespace mireva::test
