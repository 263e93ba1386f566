#include "app/table_window_outputs.h"

#include <optional>

#include "app/main_form.h"
#include "output/printing.h"
#include "output/save_choice.h"

namespace velmar {

std::string chosenSiteName(MainForm& main) {
  const SiteList& sites = main.sites();
  const int k = sites.selected();
  return k >= 0 && k < static_cast<int>(sites.names().size()) ? sites.names()[k] : std::string();
}

AlmanacSite namedSite(MainForm& main, const astro::Site& site, double deltaT) {
  return {chosenSiteName(main), site, deltaT};
}

std::string tableCopyText(const AlmanacSite& site, const std::string& header, size_t count,
                          const std::vector<size_t>& rows,
                          const std::function<std::string(size_t)>& line) {
  std::string text = almanacSiteLine(site, '\t') + "\n" + header + "\n";
  auto add = [&](size_t r) {
    if (r < count) text += line(r) + "\n";
  };
  if (rows.empty()) {
    for (size_t r = 0; r < count; ++r) add(r);
  } else {
    for (size_t r : rows) add(r);
  }
  return text;
}

void exportTable(MainForm& main, const char* dialogTitle, const char* messageTitle,
                 const std::string& offeredName,
                 const std::function<FileStatus(const std::string&, ExportType)>& write) {
  // In the folder every save dialog opens in, with the same question
  // before a file the dialog never named is replaced.
  const std::optional<FileChoice> choice =
      main.files().chooseSaveFile(dialogTitle, exportFilters(), offeredPath(offeredName), 0);
  if (!choice || choice->path.empty()) return;
  const ExportTarget target = exportTarget(*choice);
  if (!mayReplaceExtended(main.ui(), dialogTitle,
                          {target.path, target.type == ExportType::Tsv ? 1 : 0, target.extended}))
    return;
  const FileStatus status = write(target.path, target.type);
  if (!status.ok()) {
    main.ui().message(messageTitle, status.message, Tone::Warning);
    return;
  }
  rememberSaveFolder(target.path);
}

void printTable(MainForm& main, const char* title, const char* question,
                const std::function<PrintJob()>& job, const std::string& pdfName) {
  if (!main.ui().askYesNo(title, question)) return;
  printListing(job(), title, pdfName, main.ui(), main.printer(), main.files());
}

}  // namespace velmar
