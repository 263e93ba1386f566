#include "engine/system_error.h"

#include <cerrno>

namespace velmar {

std::string systemErrorText(int err) {
  switch (err) {
    case ENOSPC:
    case EDQUOT:
      return "ディスクの空き容量が足りません。";
    case EFBIG:
      return "ファイルが大きすぎます。";
    case EACCES:
    case EPERM:
      return "アクセスが許可されていません。";
    case EROFS:
      return "読み取り専用のファイルシステムです。";
    case ENOENT:
      return "ファイルまたはフォルダーがありません。";
    case ENOTDIR:
      return "途中の名前がフォルダーではありません。";
    case EISDIR:
      return "同じ名前のフォルダーがあります。";
    case EEXIST:
      return "同じ名前のファイルがすでにあります。";
    case ELOOP:
      return "シンボリックリンクが循環しています。";
    case ENAMETOOLONG:
      return "ファイル名が長すぎます。";
    case EIO:
      return "装置との入出力に失敗しました。";
    case ENXIO:
    case ENODEV:
      return "装置が見つかりません。";
    case EBUSY:
    case ETXTBSY:
      return "ファイルが使用中です。";
    case EMFILE:
    case ENFILE:
      return "開いているファイルが多すぎます。";
    case ENOMEM:
      return "メモリーが足りません。";
    case EAGAIN:
      return "一時的に使えません。しばらくしてからやり直してください。";
    case EINTR:
      return "処理が中断されました。";
    case EPIPE:
      return "書き込み先が閉じられました。";
    case ESPIPE:
    case EINVAL:
      return "このファイルにはこの操作ができません。";
    case EXDEV:
      return "別の装置をまたいで移せません。";
    case ESTALE:
      return "ネットワーク上のファイルが無効になりました。";
    case ETIMEDOUT:
      return "応答がなく時間切れになりました。";
    default:
      return "(エラー番号 " + std::to_string(err) + ")";
  }
}

}  // namespace velmar
