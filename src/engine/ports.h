#pragma once
// The few things the core asks of the outside world. The Qt application
// implements them with windows; the tests and velmar-cli with plain objects.
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "astro/calendar.h"

namespace velmar {

// What a message tells: the icon of its box.
enum class Tone { Info, Warning, Critical };

// Message boxes, the beep and the wait pointer.
class UiPort {
 public:
  virtual ~UiPort() = default;
  // A Yes/No question with a question icon. True for Yes.
  virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
  // A box with an OK button.
  virtual void message(const std::string& title, const std::string& text, Tone tone) = 0;
  virtual void beep() = 0;
  // Shows (true) or takes away (false) the wait pointer.
  virtual void setWaitCursor(bool on) = 0;
};

// The present moment.
class ClockPort {
 public:
  virtual ~ClockPort() = default;
  virtual std::chrono::system_clock::time_point now() = 0;
};

using astro::CivilTime;

// The given moment in Japan Standard Time (UTC + 9 h), whatever the machine's
// own time zone: every entered time is read as JST.
CivilTime toJst(std::chrono::system_clock::time_point tp);

// A UiPort that answers every question with a fixed answer and records what
// it was asked; for velmar-cli and the tests.
class PlainUi : public UiPort {
 public:
  bool answer = true;
  int beeps = 0;
  int waitDepth = 0;
  std::string lastTitle, lastText;
  Tone lastTone = Tone::Info;
  int questions = 0, messages = 0;

  bool askYesNo(const std::string& title, const std::string& text) override {
    ++questions;
    lastTitle = title;
    lastText = text;
    return answer;
  }
  void message(const std::string& title, const std::string& text, Tone tone) override {
    ++messages;
    lastTitle = title;
    lastText = text;
    lastTone = tone;
  }
  void beep() override { ++beeps; }
  void setWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }
};

class SystemClock : public ClockPort {
 public:
  std::chrono::system_clock::time_point now() override { return std::chrono::system_clock::now(); }
};

class FixedClock : public ClockPort {
 public:
  explicit FixedClock(std::chrono::system_clock::time_point tp) : tp_(tp) {}
  std::chrono::system_clock::time_point now() override { return tp_; }
  void set(std::chrono::system_clock::time_point tp) { tp_ = tp; }

 private:
  std::chrono::system_clock::time_point tp_;
};

}  // namespace velmar

namespace velmar {

// The continuous calculation's timer. An interval of 0 means stopped; any
// positive interval (milliseconds) means running. Whoever owns the timer
// calls the tick when it fires.
class TimerPort {
 public:
  virtual ~TimerPort() = default;
  virtual void setInterval(int ms) = 0;
  virtual int interval() const = 0;
  // Runs `task` once, from the event loop, after the work now running.
  virtual void post(std::function<void()> task) = 0;
};

// A timer that only remembers its interval; tests and velmar-cli fire the
// ticks, and run what was posted, themselves.
class ManualTimer : public TimerPort {
 public:
  void setInterval(int ms) override { interval_ = ms; }
  int interval() const override { return interval_; }
  void post(std::function<void()> task) override { posted_.push_back(std::move(task)); }
  // What the event loop would run next; returns how many tasks ran.
  int runPosted() {
    int n = 0;
    while (!posted_.empty()) {
      auto task = std::move(posted_.front());
      posted_.pop_front();
      task();
      ++n;
    }
    return n;
  }

 private:
  int interval_ = 0;
  std::deque<std::function<void()>> posted_;
};

// The main window's subsidiary windows, in the order they are unloaded when
// the program closes. The first eight keep a placement in the settings
// file, in that file's order; the almanac and the eclipses keep theirs with
// the program's additions.
enum class Win {
  Face,
  Orbit,
  Data,
  Graph,
  TimePad,
  Sky,
  Shadow,
  Sun,
  Keypad,
  Settings,
  SiteEditor,
  Almanac,
  YearView,
  Eclipses
};
inline constexpr int kPlacedWinCount = 8;
inline constexpr Win kClosingOrder[] = {Win::Keypad, Win::Data,    Win::Graph,    Win::Face,
                                        Win::Orbit,  Win::TimePad, Win::Settings, Win::SiteEditor,
                                        Win::Sky,    Win::Shadow,  Win::Sun,      Win::YearView,
                                        Win::Eclipses, Win::Almanac};

// DataFolder: the folder of moon.inf and sokuti.dat in the file manager.
enum class HelpPage { Contents, Search, DataFolder };

// What only a window system can do for a command: open a window, show the
// help, close the main window (which asks first).
class WindowPort {
 public:
  virtual ~WindowPort() = default;
  // Shows the window; a modal one returns when it is hidden again.
  virtual void show(Win w) = 0;
  virtual void help(HelpPage page) = 0;
  virtual void closeMain() = 0;
};

// The save-file dialog.
struct FileFilter {
  std::string label;    // as the dialog lists it: "Csv ﾌｧｲﾙ (*.csv)"
  std::string pattern;  // "*.csv"
};
struct FileChoice {
  std::string path;
  int filter = 0;  // the index of the filter the user picked
};
class FilePort {
 public:
  virtual ~FilePort() = default;
  // Empty when the user cancels.
  virtual std::optional<FileChoice> chooseSaveFile(const std::string& title,
                                                   const std::vector<FileFilter>& filters,
                                                   const std::string& current, int filter) = 0;
};

// A listing of text lines for the printer, in a named font.
struct PrintJob {
  std::string documentName;
  std::string fontFamily;
  std::vector<std::string> lines;
};
struct PrintResult {
  enum class Status { Printed, NoPrinter, Failed } status = Status::Printed;
  std::string message;  // Japanese, for the user; empty when printed
};
class PrinterPort {
 public:
  virtual ~PrinterPort() = default;
  // On the system's default printer.
  virtual PrintResult print(const PrintJob& job) = 0;
  // Into a PDF file instead.
  virtual PrintResult printToPdf(const PrintJob& job, const std::string& path) = 0;
};

// Windows, help, file choices and printing for headless runs: records what
// was asked and answers from fields the caller sets.
class PlainWindows : public WindowPort, public FilePort, public PrinterPort {
 public:
  std::vector<Win> shown;
  std::vector<HelpPage> helpShown;
  int closeRequests = 0;
  std::optional<FileChoice> nextFile;  // what the file dialog returns
  std::vector<PrintJob> printed;
  PrintResult printAnswer;

  void show(Win w) override { shown.push_back(w); }
  void help(HelpPage page) override { helpShown.push_back(page); }
  void closeMain() override { ++closeRequests; }
  std::optional<FileChoice> chooseSaveFile(const std::string&, const std::vector<FileFilter>&,
                                           const std::string&, int) override {
    return nextFile;
  }
  PrintResult print(const PrintJob& job) override {
    printed.push_back(job);
    return printAnswer;
  }
  PrintResult printToPdf(const PrintJob& job, const std::string&) override {
    printed.push_back(job);
    return printAnswer;
  }
};

}  // namespace velmar
