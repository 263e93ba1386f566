#pragma once
// The texts of the window layer that are neither commands nor window
// captions (those are in app/commands and app/captions): message texts of
// the printer, the picture saver and the help window, the message boxes'
// buttons, and the samples fonts are measured with. The only place in the
// window layer where Japanese text is written.
namespace velmar::texts {

inline constexpr const char* kYes = "はい(&Y)";
// The 月の暦 window's choice of delta T.
inline constexpr const char* kAlmanacMeasuredDeltaT = "実測ΔT";
inline constexpr const char* kAlmanacMainDeltaT = "主画面のΔT";
inline constexpr const char* kNo = "いいえ(&N)";
inline constexpr const char* kPrintCannotStart = "印刷を始められませんでした。";
inline constexpr const char* kPrintNextPage = "次のページを印刷できませんでした。";
inline constexpr const char* kPrintCannotEnd = "印刷を終えられませんでした。";
inline constexpr const char* kNoPrinter = "プリンターが設定されていません。";
inline constexpr const char* kPngPictures = "PNG 画像";
inline constexpr const char* kSvgPictures = "SVG 画像";
inline constexpr const char* kSavePictureTitle = "画像を保存";
inline constexpr const char* kSavePictureFailed = "画像を保存できませんでした。\r";
inline constexpr const char* kPictureNotMade = "「";
inline constexpr const char* kPictureNotMadeEnd = "」の画像を作れませんでした。";
inline constexpr const char* kHelpTitle = "Velmar のヘルプ";
inline constexpr const char* kHelpContents = "目次";
inline constexpr const char* kHelpKeyword = "キーワードを入力してください(&W):";
inline constexpr const char* kHelpIndex = "索引";
inline constexpr const char* kHelpSearchTerm = "検索する語句(&S):";
inline constexpr const char* kHelpSearch = "検索";
inline constexpr const char* kHelpMissing = "ヘルプファイル %1 が見つかりません。";
inline constexpr const char* kHelpNoFolder = "ヘルプの作業用フォルダを作れません。";
inline constexpr const char* kHelpCannotOpen = "ヘルプを開けません: %1";
inline constexpr const char* kHelpUnreadable = "ヘルプファイル %1 を読めません。";
inline constexpr const char* kHelpCannotRegister = "ヘルプファイルを登録できません: %1";
inline constexpr const char* kEllipsis = "…";
inline constexpr const char* kCancel = "キャンセル";
inline constexpr const char* kOldFileKept = "\r元のファイルは変更されていません。";
inline constexpr const char* kNoFileManager =
    "ファイルマネージャーを開けませんでした。\rデータフォルダーは「";
inline constexpr const char* kNoFileManagerEnd = "」です。";
inline constexpr const char* kBatchProgress = "一括推算中　%1 / %2 ステップ";
// Two ideographs and the Kangxi radicals that look the same: a font that
// draws both with one glyph gives a PDF whose text reads back as radicals.
inline constexpr const char* kIdeographSample = "日月";
inline constexpr const char* kRadicalSample = "⽇⽉";
inline constexpr const char* kHelpNotFound = "見つかりませんでした。";
inline constexpr const char* kWideSample = "月";
inline constexpr const char* kHalfKanaSample = "ﾃ";
inline constexpr const char* kSavePictureItem = "画像を保存...";

}  // namespace velmar::texts
