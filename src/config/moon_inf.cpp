#include "config/moon_inf.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "engine/constants.h"
#include "engine/numtext.h"

namespace velmar {

namespace {

struct LineSpec {
  const char* label;
  int count;
};

constexpr LineSpec kLines[15] = {
    {"月相", 4},    {"軌道", 4},     {"ﾃﾞｰﾀ", 4},         {"ｸﾞﾗﾌ", 4},
    {"ﾀｲﾑ", 2},     {"推算速度", 2}, {"年月日時分秒", 6}, {"運転方向", 2},
    {"朔望", 1},    {"ｸﾞﾗﾌ選択", 4}, {"変化とループ", 2}, {"日時記録とｶﾞｲﾀﾞﾝｽ", 2},
    {"ｽｶｲﾋﾞｭｰ", 4}, {"地球影", 4},   {"太陽", 4},
};

// The placement each placement line belongs to.
int placementOfLine(int line) {
  switch (line) {
    case 0:
      return static_cast<int>(Win::Face);
    case 1:
      return static_cast<int>(Win::Orbit);
    case 2:
      return static_cast<int>(Win::Data);
    case 3:
      return static_cast<int>(Win::Graph);
    case 4:
      return static_cast<int>(Win::TimePad);
    case 12:
      return static_cast<int>(Win::Sky);
    case 13:
      return static_cast<int>(Win::Shadow);
    case 14:
      return static_cast<int>(Win::Sun);
    default:
      return -1;
  }
}

// Splits a line into its numbers; false when the count or a number is off.
bool readNumbers(const std::string& line, int count, std::vector<double>& out) {
  out.clear();
  size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    const size_t comma = line.find(',', pos);
    if (comma == std::string::npos) return false;
    const auto v = parseNumber(std::string_view(line).substr(pos, comma - pos));
    if (!v) return false;
    out.push_back(*v);
    pos = comma + 1;
  }
  return true;
}

// Line i's numbers; false when the line does not read. A placement beyond
// any screen, or a speck of a twip, cannot be one: kept in single precision
// it could come back as inf, and it would be saved with an exponent, in a
// form that no longer reads.
bool readLine(int i, const std::string& line, std::vector<double>& out) {
  constexpr double kFarthest = 1e9;  // twips, some 700 km of screen
  constexpr double kNearest = 1e-3;  // twips
  if (!readNumbers(line, kLines[i].count, out)) return false;
  if (placementOfLine(i) < 0) return true;
  return std::all_of(out.begin(), out.end(), [](double v) {
    const double a = std::fabs(v);
    return a == 0 || (a >= kNearest && a <= kFarthest);
  });
}

std::string shortFloat(float f) {
  char buf[64];
  auto res =
      std::to_chars(buf, buf + sizeof buf, static_cast<double>(f), std::chars_format::general, 7);
  std::string s(buf, res.ptr);
  return s;
}

// A whole number, halves to even; kept inside int so nothing overflows.
int wholeEven(double v) {
  if (v > 2e9) return 2000000000;
  if (v < -2e9) return -2000000000;
  return static_cast<int>(std::nearbyint(v));
}

// A count or an amount, whole, in digits the reader takes back: the general
// form would write 1E+15 from fifteen digits on. A count beyond any double
// is the largest there is, which no run reaches either.
// The field's text of such a number: plain digits, as the file has them.
std::string wholeDigits(double v) {
  if (std::isnan(v)) v = 0;
  v = std::nearbyint(std::clamp(v, -std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::max()));
  if (std::fabs(v) < 1e15) return formatPlain(v);
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return std::string(buf, res.ptr);
}

std::string wholeNumber(double v) {
  const std::string digits = wholeDigits(v);
  return (digits[0] == '-' ? digits : " " + digits) + " ";
}

int optionValue(const FormModel& f, int i) { return f.option(static_cast<Option>(i)) ? -1 : 0; }

}  // namespace

std::string infNumber(double v, bool single) {
  if (!single) return formatGeneral(v) + " ";
  // A single-precision value shows its own seven digits, not the binary
  // tail a double would print.
  std::string s = shortFloat(static_cast<float>(v));
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  if (s.find('e') != std::string::npos) return formatGeneral(v) + " ";
  return (s[0] == '-' ? s : " " + s) + " ";
}

InfValues defaultInfValues() {
  InfValues v;
  v.options = {-1, 0, 0, 0, -1, 0, 0, 0, 0, -1};
  v.rebase = 0;
  v.graph = {1, 1, 1, 1};
  v.changeAmount = 1;
  v.loopCount = 10;
  v.automem = 1;
  v.guid = 1;
  return v;
}

InfReadResult parseInf(const std::vector<std::string>& lines) {
  InfReadResult r{defaultInfValues(), 0};
  InfValues& v = r.values;
  std::vector<double> n;
  for (int i = 0; i < 15; ++i) {
    const bool ok = i < static_cast<int>(lines.size()) && readLine(i, lines[i], n);
    if (!ok) {
      if (r.firstBadLine == 0) r.firstBadLine = i + 1;
      continue;
    }
    const int w = placementOfLine(i);
    if (w >= 0) {
      WindowPlacement& p = v.placements.at[w];
      p.top = static_cast<float>(n[0]);
      p.left = static_cast<float>(n[1]);
      if (kLines[i].count == 4) {
        p.width = static_cast<float>(n[2]);
        p.height = wholeEven(n[3]);
      }
      continue;
    }
    switch (i) {
      case 5:
        v.options[0] = wholeEven(n[0]);
        v.options[1] = wholeEven(n[1]);
        break;
      case 6:
        for (int k = 0; k < 6; ++k) v.options[2 + k] = wholeEven(n[k]);
        break;
      case 7:
        v.options[8] = wholeEven(n[0]);
        v.options[9] = wholeEven(n[1]);
        break;
      case 8:
        v.rebase = wholeEven(n[0]);
        break;
      case 9:
        for (int k = 0; k < 4; ++k) v.graph[k] = wholeEven(n[k]);
        break;
      case 10:
        v.changeAmount = std::nearbyint(n[0]);
        v.loopCount = std::nearbyint(n[1]);
        break;
      case 11:
        v.automem = wholeEven(n[0]);
        v.guid = wholeEven(n[1]);
        break;
      default:
        break;
    }
  }
  return r;
}

std::vector<std::string> formatInf(const FormModel& form, const Placements& placements) {
  std::vector<std::string> out;
  auto line = [&](int i, const std::vector<std::string>& values) {
    std::string s;
    for (const std::string& v : values) s += v + ",";
    out.push_back(s + kLines[i].label);
  };
  auto num = [](double v) { return infNumber(v, false); };
  auto place = [&](int i) {
    const WindowPlacement& p = placements.at[placementOfLine(i)];
    if (kLines[i].count == 2) {
      line(i, {infNumber(p.top, true), infNumber(p.left, true)});
    } else {
      line(i, {infNumber(p.top, true), infNumber(p.left, true), infNumber(p.width, true),
               num(p.height)});
    }
  };
  for (int i = 0; i < 5; ++i) place(i);
  int lineNumber = 5;
  for (const OptionFrame& frame : kOptionFrames) {
    std::vector<std::string> values;
    for (int k = static_cast<int>(frame.first); k <= static_cast<int>(frame.last); ++k)
      values.push_back(num(optionValue(form, k)));
    line(lineNumber++, values);
  }
  line(8, {num(form.check(Check::AutoRebase))});
  line(9, {num(form.check(Check::GraphSun)), num(form.check(Check::GraphMoon)),
           num(form.check(Check::GraphIllumination)), num(form.check(Check::GraphLatitude))});
  line(10, {wholeNumber(form.value(Field::ChangeAmount)), wholeNumber(form.value(Field::LoopCount))});
  line(11, {num(form.tick(Tick::automem) ? 1 : 0), num(form.tick(Tick::guid) ? 1 : 0)});
  for (int i = 12; i < 15; ++i) place(i);
  return out;
}

void applyInf(const InfValues& v, FormModel& form, Placements& placements) {
  placements = v.placements;
  for (int i = 0; i < kWinCount; ++i) placements.own[i] = placements.at[i].top != -1;
  for (int i = 0; i < 10; ++i)
    if (v.options[i] != 0) form.selectOption(static_cast<Option>(i + 1));
  form.setCheck(Check::AutoRebase, v.rebase);
  form.setCheck(Check::GraphSun, v.graph[0]);
  form.setCheck(Check::GraphMoon, v.graph[1]);
  form.setCheck(Check::GraphIllumination, v.graph[2]);
  form.setCheck(Check::GraphLatitude, v.graph[3]);
  form.setText(Field::ChangeAmount, wholeDigits(v.changeAmount));
  form.setText(Field::LoopCount, wholeDigits(v.loopCount));
  form.setTick(Tick::automem, v.automem == 1);
  form.setTick(Tick::guid, v.guid == 1);
}

WindowPlacement centredPlacement(float width, float height, float screenWidth, float screenHeight) {
  WindowPlacement p;
  p.top = (screenHeight - height) / 2;
  p.left = (screenWidth - width) / 2;
  p.width = width;
  p.height = static_cast<int>(height);
  return p;
}

void centreUnplaced(Placements& p, float screenWidth, float screenHeight, bool onSave) {
  struct Size {
    Win w;
    TwipSize size;
  };
  // The order in which the windows are placed.
  const Size sizes[] = {
      {Win::Data, kDataWindowSize},
      {Win::Graph, onSave ? kGraphWindowSizeOnSave : kGraphWindowSize},
      {Win::Face, kFaceWindowSize},
      {Win::Orbit, kOrbitWindowSize},
      {Win::TimePad, onSave ? kTimePadCentringSizeOnSave : kTimePadCentringSize},
      {Win::Sky, kSkyWindowSize},
      {Win::Shadow, onSave ? kShadowWindowSizeOnSave : kShadowWindowSize},
      {Win::Sun, kSunWindowSize},
  };
  for (const Size& s : sizes) {
    WindowPlacement& w = p[s.w];
    if (w.top != -1) continue;
    w = centredPlacement(s.size.width, s.size.height, screenWidth, screenHeight);
    p.own[static_cast<int>(s.w)] = false;
  }
}

InfLoad readInfFile(const std::string& path) {
  // Only the ASCII numbers count and the labels are passed over, so a label
  // an editor saved in another encoding costs no setting.
  const TextLines file = readRawLines(path);
  if (file.status.error == FileError::Missing) return {defaultInfValues(), "", FileError::Missing};
  if (!file.status.ok()) {
    return {defaultInfValues(), file.status.message + "\r既定の設定で起動します。",
            file.status.error};
  }
  const InfReadResult r = parseInf(file.lines);
  InfLoad out{r.values, "", FileError::None, file.encoding};
  if (r.firstBadLine == 0) return out;
  // Text, but no settings at all: some other file under this name, which a
  // save would replace.
  std::vector<double> n;
  bool anySetting = false, anyText = false;
  for (int i = 0; i < static_cast<int>(file.lines.size()); ++i) {
    anySetting = anySetting || (i < 15 && readLine(i, file.lines[i], n));
    anyText = anyText || file.lines[i].find_first_not_of(" \t") != std::string::npos;
  }
  if (anyText && !anySetting) {
    out.error = FileError::Unreadable;
    out.message = "設定ファイル " + path + " の " + std::to_string(r.firstBadLine) +
                  " 行目が正しく読めません。\r設定として読める行がありません。\r"
                  "既定の設定で起動します。\r"
                  "ファイルは「設定保存」をするまで書き換えません。";
    return out;
  }
  out.message = "設定ファイル " + path + " の " + std::to_string(r.firstBadLine) +
                " 行目が正しく読めません。\r";
  // A line that did not read and is not even Shift-JIS may be something
  // other than settings: saving over it deserves a question.
  for (int i = 0; i < 15 && i < static_cast<int>(file.lines.size()); ++i) {
    if (readLine(i, file.lines[i], n) || fromCp932(file.lines[i]) || validUtf8(file.lines[i]))
      continue;
    out.error = FileError::Undecodable;
    out.message += std::to_string(i + 1) + " 行目に Shift-JIS として読めない文字があります。\r";
    break;
  }
  out.message +=
      "読めなかった設定には既定値を使います。\r"
      "ファイルは「設定保存」をするまで書き換えません。";
  return out;
}

FileStatus writeInfFile(const std::string& path, const FormModel& form,
                        const Placements& placements, TextEncoding encoding) {
  return writeTextFile(path, formatInf(form, placements), encoding);
}

bool keepsSize(Win w) {
  for (int line = 0; line < 15; ++line)
    if (placementOfLine(line) == static_cast<int>(w)) return kLines[line].count == 4;
  return false;
}

void bringOntoScreen(WindowPlacement& w, float screenWidth, float screenHeight) {
  if (w.top == -1) return;
  // Keep at least this much of the window (twips, a title bar's height and
  // a little more) reachable with the mouse.
  constexpr float kGrip = 600;
  const float width = w.width > 0 ? w.width : kGrip;
  if (w.left > screenWidth - kGrip) w.left = std::max(0.0f, screenWidth - width);
  if (w.left + width < kGrip) w.left = 0;
  if (w.top > screenHeight - kGrip)
    w.top = std::max(0.0f, screenHeight - static_cast<float>(w.height));
  if (w.top < 0) w.top = 0;
}

}  // namespace velmar
