#pragma once
// The export file: while "ファイル出力" is ticked every calculation writes
// one comma- or tab-separated line, so that a continuous calculation can be
// taken into a spreadsheet. Shift-JIS, CR LF; each line goes to the system
// as it is written, so the file holds every line so far if the program
// ends in the middle of a run.
#include <string>
#include <vector>

#include "astro/calculation.h"
#include "engine/form.h"
#include "engine/ports.h"
#include "engine/signal.h"

namespace velmar {

class Continuous;

inline constexpr const char* kExportDialogTitle = "Velmar - File Output -";
// The name the file dialog offers first, in the current folder.
inline constexpr const char* kExportDefaultName = "Moondata.csv";

enum class ExportType { Csv, Tsv };

// The two filters of the file dialog, csv first.
const std::vector<FileFilter>& exportFilters();

// The name and type a choice in the file dialog stands for. A name whose
// last three characters are "csv" or "tsv", or that ends in ".csv" or
// ".tsv" in any case, says its type; any other name takes the type of the
// picked filter and that filter's extension.
struct ExportTarget {
  std::string path;
  ExportType type;
  bool extended = false;  // the extension was added after the dialog
};
ExportTarget exportTarget(const FileChoice& choice);

// One data line for the fields as they stand (without its line end).
void exportLine(std::string& out, const FormModel& form, const astro::Calculation& c,
                char separator);

class ExportFile {
 public:
  ExportFile(FormModel& form, const astro::Calculation& result, Continuous& loop, UiPort& ui)
      : form_(form), result_(result), loop_(loop), ui_(ui) {}
  ~ExportFile();
  ExportFile(const ExportFile&) = delete;
  ExportFile& operator=(const ExportFile&) = delete;

  // What exportFileLabel shows: the file lines go to.
  const std::string& fileName() const { return name_; }
  ExportType type() const { return type_; }
  Signal<>& nameChanged() { return nameChanged_; }
  // Lines written since file output was last switched.
  int counter() const { return counter_; }
  bool isOpen() const { return fd_ >= 0; }
  // How many times a file could not be created or written.
  int failures() const { return failures_; }

  // "出力ﾌｧｲﾙ ...": file output off, the file dialog, and for a chosen file
  // file output on and the continuous calculation started.
  void choose(FilePort& files);
  // "ファイル出力" has changed: ticked, a new file with the version line,
  // the header and the current results; unticked, the file is closed.
  void switched();
  // Writes the current results, then: at the loop count "ファイル出力" goes
  // off; with no output left on, the loop ends.
  void fileadd();

 private:
  void open();
  // Syncs and closes the file; a failure is told as a failed write when
  // `tell` is set.
  void close(bool tell = true);
  bool writeLine(const std::string& utf8);
  // A file that cannot be created or written: said once, file output off.
  // `reason` stands for the system's error `err`. `linesKept`: the lines
  // written so far are known to be in the file.
  void fail(int err, const char* what, const std::string& reason = {}, bool linesKept = true);
  void fail(const std::string& why, bool linesKept = true);

  FormModel& form_;
  const astro::Calculation& result_;
  Continuous& loop_;
  UiPort& ui_;
  std::string name_ = kExportDefaultName;
  ExportType type_ = ExportType::Csv;
  Signal<> nameChanged_;
  int counter_ = 0;
  int fd_ = -1;
  long long written_ = 0;  // bytes of whole lines in the file
  int failures_ = 0;
  std::string line_;  // reused for every line
};

}  // namespace velmar
