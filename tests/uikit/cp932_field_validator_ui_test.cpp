#include "uikit/cp932_field_validator.h"

#include <QLineEdit>
#include <gtest/gtest.h>

#include "channels/ui/broadcaster_name_edit.h"

namespace mireva::ui {
namespace {

TEST(Cp932FieldValidator, RefusesWhatTheFilesCannotHold) {
    struct Case {
        const char* text;
        QValidator::State state;
    } cases[] = {
        {"NHK", QValidator::Acceptable},   {"ＮＨＫ総合", QValidator::Acceptable}, {"ｽｶﾊﾟｰ!", QValidator::Acceptable},
        {"表示?", QValidator::Acceptable},  // a typed "?" is a "?"
        {"", QValidator::Acceptable},      {"Café", QValidator::Invalid},          {"한국방송", QValidator::Invalid},
        {"😀", QValidator::Invalid},        {"a,b", QValidator::Invalid},           {"a\nb", QValidator::Invalid},
        {"a\rb", QValidator::Invalid},
    };
    Cp932FieldValidator validator;
    for (const Case& c : cases) {
        QString text = QString::fromUtf8(c.text);
        int position = 0;
        EXPECT_EQ(validator.validate(text, position), c.state) << c.text;
    }
}

// The broadcaster name edit takes the characters the settings file can hold and no
// other, so what it shows is what is saved.
TEST(Cp932FieldValidator, BroadcasterNameEditKeepsOutWhatCannotBeSaved) {
    BroadcasterNameEdit edit;
    for (QChar typed : QString::fromUtf8("Café,局")) edit.insert(QString(typed));
    EXPECT_EQ(edit.text(), QString::fromUtf8("Caf局"));
}

}  // namespace
}  // namespace mireva::ui
