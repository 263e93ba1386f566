#include "output/export_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "config/text_file.h"
#include "engine/numtext.h"
#include "engine/program.h"
#include "output/data_table.h"
#include "stepping/continuous.h"

namespace velmar {

namespace {

char separatorOf(ExportType t) { return t == ExportType::Tsv ? '\t' : ','; }

std::string_view withoutLeadingBlanks(std::string_view s) {
  const size_t i = s.find_first_not_of(' ');
  return i == std::string_view::npos ? std::string_view() : s.substr(i);
}

bool endsWithIgnoringCase(const std::string& s, std::string_view tail) {
  if (s.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i) {
    char c = s[s.size() - tail.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != tail[i]) return false;
  }
  return true;
}

}  // namespace

const std::vector<FileFilter>& exportFilters() {
  static const std::vector<FileFilter> filters = {{"Csv ﾌｧｲﾙ (*.csv)", "*.csv"},
                                                  {"Tsv ﾌｧｲﾙ(*.tsv)", "*.tsv"}};
  return filters;
}

ExportTarget exportTarget(const FileChoice& choice) {
  const std::string& p = choice.path;
  const std::string last = p.size() >= 3 ? p.substr(p.size() - 3) : p;
  if (last == "csv") return {p, ExportType::Csv};
  if (last == "tsv") return {p, ExportType::Tsv};
  const ExportType type = choice.filter == 1 ? ExportType::Tsv : ExportType::Csv;
  const char* ext = type == ExportType::Tsv ? ".tsv" : ".csv";
  return {endsWithIgnoringCase(p, ext) ? p : p + ext, type};
}

void exportLine(std::string& out, const FormModel& form, char sep) {
  out.clear();
  auto text = [&](Field f) { out += withoutLeadingBlanks(form.text(f)); };
  std::string number;
  auto general = [&](Field f) {
    formatPlain(number, form.value(f));
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

ExportFile::~ExportFile() { close(); }

void ExportFile::choose(FilePort& files) {
  form_.setCheck(Check::FileOutput, 0);
  const std::optional<FileChoice> choice = files.chooseSaveFile(
      kExportDialogTitle, exportFilters(), name_, type_ == ExportType::Tsv ? 1 : 0);
  if (!choice || choice->path.empty()) return;
  const ExportTarget target = exportTarget(*choice);
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
  exportLine(line_, form_, separatorOf(type_));
  if (!writeLine(line_)) return;
  ++counter_;
  if (counter_ == form_.value(Field::LoopCount)) {
    counter_ = 0;
    form_.setCheck(Check::FileOutput, 0);
  }
  loop_.stopUnlessRecording();
}

void ExportFile::open() {
  close();
  // Every switching on starts the file anew.
  fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  written_ = 0;
  if (fd_ < 0) fail(errno, "を作成できませんでした。");
}

void ExportFile::close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
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
  if (!writeAll(fd_, *bytes)) {
    const int err = errno;
    // A line cut short by a full disk is taken back: the file ends with
    // the last whole line.
    // (Should even that fail, the message has said what happened.)
    const bool trimmed = ::ftruncate(fd_, written_) == 0;
    static_cast<void>(trimmed);
    fail(err, "に書き込めませんでした。");
    return false;
  }
  written_ += static_cast<long long>(bytes->size());
  return true;
}

void ExportFile::fail(int err, const char* what, const std::string& reason) {
  close();
  ++failures_;
  ui_.message(kTitleText,
              "「" + name_ + "」" + what + "\r" + (reason.empty() ? errorReason(err) : reason) +
                  "\rファイル出力を止めました。" +
                  (written_ > 0 ? "書き込んだ行はファイルに残っています。" : ""),
              Tone::Warning);
  form_.setCheck(Check::FileOutput, 0);
  loop_.stopUnlessRecording();
}

}  // namespace velmar
