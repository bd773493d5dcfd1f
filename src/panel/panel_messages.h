// The texts the worksheet operations show to the user, and the form in which an
// operation hands them to the window that shows them. Texts are UTF-8 here; the
// window converts them once at display time.
#pragma once

#include <string>
#include <vector>

namespace mireva::panel_text {

// Level offsets.
inline constexpr const char kNoOffsetRows[] = "オフセットする行が選択されていません。";
inline constexpr const char kOffsetBadCharacter[] =
    "半角数字および半角ピリオド以外の文字が含まれています(入力は左詰め)。";
inline constexpr const char kOffsetNoIntegerPart[] = "整数部が入力されていません。";
inline constexpr const char kOffsetNoFraction[] = "小数部が入力されていません。";
inline constexpr const char kOffsetTooManyDecimals[] = "オフセット値は小数第1位までです。";

// Row operations.
inline constexpr const char kNoRowsToMove[] = "移動する行が選択されていません。";
inline constexpr const char kNoRowsToDelete[] = "削除する行が選択されていません。";
inline constexpr const char kSelectFirstRows[] = "測定場所ごとの先頭行を選択してください。";
inline constexpr const char kSelectContiguous[] = "行を連続して選択してください。";
inline constexpr const char kTooManyRows[] = "一度に1000行以上は削除出来ません。";
inline constexpr const char kFirstCannotMoveUp[] = "先頭行ですので、上の行に移動できません。";
inline constexpr const char kLastCannotMoveDown[] = "末尾の行ですので、下の行に移動できません。";
inline constexpr const char kNoSuchRow[] = "指定された行は存在しません。";
inline constexpr const char kConfirmDelete[] = "選択された行を削除してもよろしいですか？";
inline constexpr const char kNoTargetRow[] = "移動先の行番号が入力されてません。";

// Rounding, CSV output and reset.
inline constexpr const char kCsvDone[] = "CSV出力が完了しました。";
inline constexpr const char kConfirmReset[] =
    "全ての測定データがオフセット前の状態に戻り、\n使用チャンネルも読み込み直後の状態に戻ります。\nよろしいですか？";
inline constexpr const char kBusy[] = "処理中です。しばらくお待ちください。";
inline constexpr const char kWritingCsv[] = "測定データを書き出しています。";

// Failures of a rewrite or an output; each is followed by a line naming the file.
inline constexpr const char kWorksheetNotSaved[] = "測定データを書き込めませんでした。変更は保存されていません。";
inline constexpr const char kWorksheetNotRead[] = "測定データを読み込めませんでした。";
inline constexpr const char kCsvFailed[] = "CSV出力に失敗しました。";

}  // namespace mireva::panel_text

namespace mireva {

// One message box an operation asks for, in the order it is to be shown.
struct PanelMessage {
    std::string text;  // UTF-8
    bool errorIcon = false;

    bool operator==(const PanelMessage&) const = default;
};

using PanelMessages = std::vector<PanelMessage>;

}  // namespace mireva
