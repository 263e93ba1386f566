#include "output/export_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "config/file_writer.h"
#include "config/text_file.h"
#include "engine/calculator.h"
#include "engine/numtext.h"
#include "engine/program.h"
#include "output/data_table.h"
#include "output/save_choice.h"
#include "stepping/continuous.h"

namespace velmar {

namespace {

char separatorOf(ExportType t) { return t == ExportType::Tsv ? '\t' : ','; }

std::string_view withoutLeadingBlanks(std::string_view s) {
  const size_t i = s.find_first_not_of(' ');
  return i == std::string_view::npos ? std::string_view() : s.substr(i);
}

}  // namespace

const std::vector<FileFilter>& exportFilters() {
  static const std::vector<FileFilter> filters = {{"Csv ﾌｧｲﾙ (*.csv)", "*.csv"},
                                                  {"Tsv ﾌｧｲﾙ(*.tsv)", "*.tsv"}};
  return filters;
}

ExportTarget exportTarget(const FileChoice& choice) {
  const std::string& p = choice.path;
  // The name's own last three letters, as they always did ("datacsv").
  const std::string last = p.size() >= 3 ? p.substr(p.size() - 3) : p;
  if (last == "csv") return {p, ExportType::Csv, false};
  if (last == "tsv") return {p, ExportType::Tsv, false};
  const SaveName name = saveName(choice, exportFilters());
  return {name.path, name.filter == 1 ? ExportType::Tsv : ExportType::Csv, name.extended};
}

void exportLine(std::string& out, const FormModel& form, const astro::Calculation& c, char sep) {
  out.clear();
  auto text = [&](Field f) { out += withoutLeadingBlanks(form.text(f)); };
  std::string number;
  auto general = [&](Field f) {
    formatPlain(number, shownValue(c, f));
    out += number;
  };
  text(Field::Year);
  out += '/';
  text(Field::Month);
  out += '/';
  text(Field::Day);
  out += sep;
  text(Field::Hour);
  out += ':';
  text(Field::Minute);
  out += ':';
  text(Field::Second);
  for (Field f : {Field::SunLongitude, Field::SunDistance, Field::MoonLongitude}) {
    out += sep;
    text(f);
  }
  out += sep;
  general(Field::MoonLatitude);
  for (Field f : {Field::MoonDistance, Field::Phase, Field::Illumination, Field::MoonAge,
                  Field::RightAscension}) {
    out += sep;
    text(f);
  }
  out += sep;
  general(Field::Declination);
  out += sep;
  text(Field::Azimuth);
  out += sep;
  general(Field::Altitude);
}

ExportFile::~ExportFile() { close(false); }

void ExportFile::choose(FilePort& files) {
  form_.setCheck(Check::FileOutput, 0);
  const std::optional<FileChoice> choice = files.chooseSaveFile(
      kExportDialogTitle, exportFilters(), offeredPath(name_), type_ == ExportType::Tsv ? 1 : 0);
  if (!choice || choice->path.empty()) return;
  const ExportTarget target = exportTarget(*choice);
  if (!mayReplaceExtended(ui_, kExportDialogTitle,
                          {target.path, target.type == ExportType::Tsv ? 1 : 0, target.extended}))
    return;
  rememberSaveFolder(target.path);
  type_ = target.type;
  if (name_ != target.path) {
    name_ = target.path;
    nameChanged_();
  }
  form_.setCheck(Check::FileOutput, 1);
  // A file that could not be made has switched file output off again and
  // said why: no run starts for it.
  if (form_.check(Check::FileOutput) == 1) loop_.startFromOptions();
}

void ExportFile::switched() {
  counter_ = 0;
  if (form_.check(Check::FileOutput) != 1) {
    close();
    return;
  }
  open();
  if (!isOpen()) return;
  std::string header;
  for (int c = 0; c < kTableColumns; ++c) {
    if (c > 0) header += separatorOf(type_);
    header += kTableHeaders[c];
  }
  if (!writeLine(kVersionText) || !writeLine(header)) return;
  fileadd();
}

void ExportFile::fileadd() {
  exportLine(line_, form_, result_, separatorOf(type_));
  if (!writeLine(line_)) return;
  ++counter_;
  if (counter_ == loopCount(form_)) {
    counter_ = 0;
    form_.setCheck(Check::FileOutput, 0);
  }
  loop_.stopUnlessRecording();
}

void ExportFile::open() {
  close();
  written_ = 0;
  // A FIFO or a device is refused, not waited on or written into; a file
  // its owner may not write is left alone.
  FileStatus refused;
  fd_ = openForAppending(name_, refused);
  if (fd_ < 0) fail(refused.message);
}

void ExportFile::close(bool tell) {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  // Lines the system still holds are not yet on the disk: a device that
  // fails them now has lost them.
  const int err = syncAndClose(fd);
  if (err != 0 && tell) fail(err, "に書き込めませんでした。", {}, false);
}

bool ExportFile::writeLine(const std::string& utf8) {
  if (fd_ < 0) return false;
  std::string bad;
  std::optional<std::string> bytes = toCp932(utf8, &bad);
  if (!bytes) {
    fail(0, "に書き込めませんでした。",
         bad.empty() ? "正しくない文字があります。"
                     : "「" + bad + "」は Shift-JIS にない文字です。");
    return false;
  }
  *bytes += "\r\n";
  // Lines written after the file was deleted, or its folder removed, would
  // go nowhere: told once, file output off.
  struct stat st;
  if (::fstat(fd_, &st) != 0 || st.st_nlink == 0) {
    fail(0, "に書き込めませんでした。", "ファイルが削除されたか、フォルダーがなくなりました。",
         false);
    return false;
  }
  // The file is open for appending: one emptied by someone else meanwhile
  // (a rotated log, "> file") goes on from its new end, without a hole.
  const long long before = static_cast<long long>(st.st_size);
  if (!writeAll(fd_, *bytes)) {
    const int err = errno;
    // A line cut short by a full disk is taken back: the file ends with
    // the last whole line.
    // (Should even that fail, the message has said what happened.)
    const bool trimmed = ::ftruncate(fd_, before) == 0;
    static_cast<void>(trimmed);
    written_ = before;
    fail(err, "に書き込めませんでした。");
    return false;
  }
  written_ = before + static_cast<long long>(bytes->size());
  return true;
}

void ExportFile::fail(int err, const char* what, const std::string& reason, bool linesKept) {
  fail("「" + name_ + "」" + what + "\r" + (reason.empty() ? errorReason(err) : reason), linesKept);
}

void ExportFile::fail(const std::string& why, bool linesKept) {
  // The failure is told already: a second one from the close would only
  // repeat it.
  close(false);
  ++failures_;
  std::string text = why;
  for (char& c : text)
    if (c == '\n') c = '\r';
  ui_.message(kTitleText,
              text + "\rファイル出力を止めました。" +
                  (linesKept && written_ > 0 ? "書き込んだ行はファイルに残っています。" : ""),
              Tone::Warning);
  form_.setCheck(Check::FileOutput, 0);
  loop_.stopUnlessRecording();
}

}  // namespace velmar
