#include "core/error_reason.h"

#include <atomic>
#include <cerrno>
#include <cstring>

namespace mireva {

namespace {

std::atomic<bool> japaneseReasons{false};

std::string systemText(int errorNumber) {
    if (errorNumber == 0) return "unknown error";
    return std::strerror(errorNumber);
}

}  // namespace

void useJapaneseErrorReasons(bool japanese) { japaneseReasons = japanese; }

std::string errorReason(int errorNumber) {
    return japaneseReasons ? japaneseErrorReason(errorNumber) : systemText(errorNumber);
}

std::string japaneseErrorReason(int errorNumber) {
    switch (errorNumber) {
        case 0:
            return "原因不明のエラーが発生しました。";
        case ENOENT:
            return "ファイルまたはフォルダが見つかりません。";
        case EACCES:
        case EPERM:
            return "アクセスが拒否されました。";
        case EROFS:
            return "書き込みできないドライブ（読み取り専用）です。";
        case ENOSPC:
            return "ディスクの空き容量が足りません。";
        case EDQUOT:
            return "ディスクの使用量の上限に達しました。";
        case EFBIG:
            return "ファイルが大きすぎます（ディスクの空き容量またはファイルサイズの上限を超えました）。";
        case EISDIR:
            return "同じ名前のフォルダがあります。";
        case ENOTDIR:
            return "パスの途中にフォルダではないものがあります。";
        case ENAMETOOLONG:
            return "ファイル名またはパスが長すぎます。";
        case EEXIST:
            return "同じ名前のファイルまたはフォルダが既にあります。";
        case ENOTEMPTY:
            return "フォルダが空ではありません。";
        case EBUSY:
        case ETXTBSY:
            return "ファイルが使用中です。";
        case EIO:
            return "ディスクの読み書き中にエラーが発生しました。";
        case EINVAL:
            return "ファイル名に使用できない文字が含まれているか、この操作はできません。";
        case EMFILE:
        case ENFILE:
            return "開いているファイルが多すぎます。";
        case ENOMEM:
            return "メモリが足りません。";
        case EXDEV:
            return "別のドライブへは移動できません。";
        case ELOOP:
            return "シンボリックリンクが多すぎます。";
        case ENODEV:
        case ENXIO:
            return "ドライブまたはデバイスが見つかりません。";
        case ESTALE:
        case ETIMEDOUT:
        case EHOSTDOWN:
        case EHOSTUNREACH:
        case ENETDOWN:
        case ENETUNREACH:
            return "ネットワーク上の場所にアクセスできません。";
        default:
            return systemText(errorNumber);
    }
}

}  // namespace mireva
