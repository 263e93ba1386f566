#pragma once
// What the 月の暦, the year view and the 日食 list do alike with their
// tables: the file dialog, the printer, the clipboard and the main
// window's named site. Each panel gives its own names, titles and lines;
// the flow around them is one, so that the three windows answer the user
// the same way.
#include <functional>
#include <string>
#include <vector>

#include "config/text_file.h"
#include "engine/ports.h"
#include "output/almanac_text.h"
#include "output/export_file.h"

namespace velmar {

class MainForm;

// The name of the main window's chosen site; empty when none is chosen.
std::string chosenSiteName(MainForm& main);
// The site line's content for a table computed at `site` with `deltaT`.
AlmanacSite namedSite(MainForm& main, const astro::Site& site, double deltaT);

// The site line, the header and the rows (all `count` of them when `rows`
// is empty), tab-separated, one "\n" after each line. Rows past the table
// are passed over.
std::string tableCopyText(const AlmanacSite& site, const std::string& header, size_t count,
                          const std::vector<size_t>& rows,
                          const std::function<std::string(size_t)>& line);

// The file dialog under `dialogTitle` offering `offeredName` in the save
// folder, the question before a file of another type is replaced, then
// `write`; a failure is told under `messageTitle`, a success remembers the
// folder.
void exportTable(MainForm& main, const char* dialogTitle, const char* messageTitle,
                 const std::string& offeredName,
                 const std::function<FileStatus(const std::string&, ExportType)>& write);

// Asks `question` under `title`, then prints the job (made only once the
// user agreed), with `pdfName` offered when there is no printer.
void printTable(MainForm& main, const char* title, const char* question,
                const std::function<PrintJob()>& job, const std::string& pdfName);

}  // namespace velmar
