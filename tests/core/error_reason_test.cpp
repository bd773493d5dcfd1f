// The reasons named after a path in file error messages: Japanese from the table in
// the program, the system's text in the batch command and for errors the table lacks.
#include "core/error_reason.h"

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

namespace mireva {
namespace {

TEST(ErrorReason, JapaneseTableCoversTheFileErrorsAUserMeets) {
    struct Case {
        int number;
        const char* text;
    } cases[] = {
        {ENOENT, "ファイルまたはフォルダが見つかりません。"},
        {EACCES, "アクセスが拒否されました。"},
        {EPERM, "アクセスが拒否されました。"},
        {EROFS, "書き込みできないドライブ（読み取り専用）です。"},
        {ENOSPC, "ディスクの空き容量が足りません。"},
        {EDQUOT, "ディスクの使用量の上限に達しました。"},
        {EFBIG, "ファイルが大きすぎます（ディスクの空き容量またはファイルサイズの上限を超えました）。"},
        {EISDIR, "同じ名前のフォルダがあります。"},
        {ENOTDIR, "パスの途中にフォルダではないものがあります。"},
        {ENAMETOOLONG, "ファイル名またはパスが長すぎます。"},
        {EEXIST, "同じ名前のファイルまたはフォルダが既にあります。"},
        {EBUSY, "ファイルが使用中です。"},
        {EIO, "ディスクの読み書き中にエラーが発生しました。"},
        {EINVAL, "ファイル名に使用できない文字が含まれているか、この操作はできません。"},
        {EMFILE, "開いているファイルが多すぎます。"},
        {EXDEV, "別のドライブへは移動できません。"},
        {ETIMEDOUT, "ネットワーク上の場所にアクセスできません。"},
        {0, "原因不明のエラーが発生しました。"},
        // Not in the table: the system's own text.
        {EDOM, std::strerror(EDOM)},
    };
    for (const Case& c : cases) EXPECT_EQ(japaneseErrorReason(c.number), c.text) << c.number;
}

TEST(ErrorReason, TheSystemsTextUntilJapaneseIsChosen) {
    EXPECT_EQ(errorReason(ENOENT), std::strerror(ENOENT));
    useJapaneseErrorReasons(true);
    EXPECT_EQ(errorReason(ENOENT), japaneseErrorReason(ENOENT));
    useJapaneseErrorReasons(false);
    EXPECT_EQ(errorReason(ENOSPC), std::strerror(ENOSPC));
}

}  // namespace
}  // namespace mireva
