#include "output/printing.h"

#include "config/file_writer.h"
#include "output/save_choice.h"

namespace velmar {

namespace {

constexpr const char* kPdfDefaultName = "VelmarData.pdf";

// Holds the wait pointer while a long listing goes out.
class WaitPointer {
 public:
  explicit WaitPointer(UiPort& ui) : ui_(ui) { ui_.setWaitCursor(true); }
  ~WaitPointer() { ui_.setWaitCursor(false); }
  WaitPointer(const WaitPointer&) = delete;
  WaitPointer& operator=(const WaitPointer&) = delete;

 private:
  UiPort& ui_;
};

}  // namespace

PrintJob tablePrintJob(const DataTable& table) {
  return PrintJob{"Velmar Data", kDataFont, table.listing()};
}

void printTable(const DataTable& table, UiPort& ui, PrinterPort& printer, FilePort& files) {
  if (!ui.askYesNo(kDataTitle, kPrintQuestion)) return;
  printListing(tablePrintJob(table), kDataTitle, kPdfDefaultName, ui, printer, files);
}

void printListing(const PrintJob& job, const std::string& title, const std::string& pdfName,
                  UiPort& ui, PrinterPort& printer, FilePort& files) {
  PrintResult result;
  {
    WaitPointer wait(ui);
    result = printer.print(job);
  }
  if (result.status == PrintResult::Status::Printed) return;

  std::string why = result.message;
  if (why.empty())
    why = result.status == PrintResult::Status::NoPrinter ? "プリンターが見つかりません。"
                                                          : "印刷できませんでした。";
  if (!ui.askYesNo(title, why + "\r\r同じ内容を PDF ファイルに保存しますか ?")) return;
  const std::vector<FileFilter> filters = {{"PDF ﾌｧｲﾙ (*.pdf)", "*.pdf"}};
  const std::optional<FileChoice> choice =
      files.chooseSaveFile(title, filters, offeredPath(pdfName), 0);
  if (!choice || choice->path.empty()) return;
  const SaveName name = saveName(*choice, filters);
  if (!mayReplaceExtended(ui, title, name)) return;
  const std::string& path = name.path;
  // A FIFO, a device or a read-only file is refused before anything is
  // written; the printer then writes through a temporary file.
  SaveTarget target;
  const FileStatus refused = resolveSaveTarget(path, target);
  if (!refused.ok()) {
    ui.message(title, refused.message, Tone::Warning);
    return;
  }
  {
    WaitPointer wait(ui);
    result = printer.printToPdf(job, path);
  }
  if (result.status != PrintResult::Status::Printed)
    ui.message(title, "「" + path + "」を保存できませんでした。\r" + result.message, Tone::Warning);
  else
    rememberSaveFolder(path);
}

}  // namespace velmar
