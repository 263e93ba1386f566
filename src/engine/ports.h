#pragma once
// The few things the core asks of the outside world. The Qt application
// implements them with windows; the tests and velmar-cli with plain objects.
#include <chrono>
#include <string>

namespace velmar {

// Message boxes, the beep and the wait pointer.
class UiPort {
 public:
  virtual ~UiPort() = default;
  // A Yes/No question with a question icon. True for Yes.
  virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
  // An information or warning box with an OK button.
  virtual void message(const std::string& title, const std::string& text) = 0;
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

// A calendar date and clock time, whole seconds.
struct CivilTime {
  int year, month, day, hour, minute, second;
};

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
  int questions = 0, messages = 0;

  bool askYesNo(const std::string& title, const std::string& text) override {
    ++questions;
    lastTitle = title;
    lastText = text;
    return answer;
  }
  void message(const std::string& title, const std::string& text) override {
    ++messages;
    lastTitle = title;
    lastText = text;
  }
  void beep() override { ++beeps; }
  void setWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }
};

class SystemClock : public ClockPort {
 public:
  std::chrono::system_clock::time_point now() override {
    return std::chrono::system_clock::now();
  }
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
};

// A timer that only remembers its interval; tests and velmar-cli fire the
// ticks themselves.
class ManualTimer : public TimerPort {
 public:
  void setInterval(int ms) override { interval_ = ms; }
  int interval() const override { return interval_; }

 private:
  int interval_ = 0;
};

}  // namespace velmar
