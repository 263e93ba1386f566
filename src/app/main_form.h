#pragma once
// The main form without its window: the field state, the record, the
// calculation driver and every component of the main window, assembled and
// wired together, with the command table. The Qt window and velmar-cli both
// drive one of these.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/moon_inf.h"
#include "config/site_editor.h"
#include "config/site_list.h"
#include "engine/calc_record.h"
#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/lunation.h"
#include "engine/ports.h"
#include "engine/program.h"
#include "stepping/continuous.h"
#include "stepping/date_fields.h"

namespace velmar {

inline constexpr const char* kExitQuestion = "Velmar を終了しますか ?";
inline constexpr const char* kVersionTitle = "ﾊﾞｰｼﾞｮﾝ情報";

// One entry of the command table: every menu item and window button.
struct CommandInfo {
  const char* name;      // control or menu item name
  const char* caption;   // with its "&" accelerator where it has one
  const char* shortcut;  // in QKeySequence's portable text form, or ""
  const char* guidance;  // the guidance line's hint, or ""
};

const std::vector<CommandInfo>& commandTable();
const CommandInfo* findCommand(const std::string& name);

// Where the program keeps its files: bare names, in the current directory.
struct FilePaths {
  std::string settings = "moon.inf";
  std::string sites = kSiteFileName;
};

class MainForm {
 public:
  MainForm(UiPort& ui, ClockPort& clock, TimerPort& timer, FilePaths paths = {});
  // With a timer of its own that only the caller's tick() calls advance.
  MainForm(UiPort& ui, ClockPort& clock, FilePaths paths = {});
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  FormModel& form() { return form_; }
  const FormModel& form() const { return form_; }
  const CalcRecord& record() const { return rec_; }
  Calculator& calculator() { return calculator_; }
  UiPort& ui() { return ui_; }
  ClockPort& clock() { return clock_; }
  TimerPort& timer() { return timer_; }
  DateFields& dates() { return dates_; }
  Lunation& lunation() { return lunation_; }
  Continuous& continuous() { return continuous_; }
  SiteList& sites() { return sites_; }
  // The site editor keeps its state (the chosen action) for the whole run.
  SiteEditor& siteEditor() { return siteEditor_; }
  Placements& placements() { return placements_; }
  const FilePaths& paths() const { return paths_; }

  // Runs the command of that name; false when there is none.
  bool run(const std::string& name);
  // One press of the spinner of that name ("UpDown3"), +1 up or -1 down;
  // the date, time and delta T spinners calculate themselves. False when
  // there is no such spinner or the press changed nothing.
  bool spin(const std::string& name, int direction);
  // A field the user has finished typing into.
  void enter(Field f, const std::string& text);
  // A click on the site list.
  void selectSite(int index);

  // Startup, from the settings file to the first result. The screen's size
  // in twips places the windows that have no place yet.
  void startup(float screenWidthTwips, float screenHeightTwips);
  // The present moment in the six date/time fields and the starting delta T.
  void fillPresentMoment();

  // Saves the settings and placements. With `resetAll` every window is to
  // be centred again: the tops are saved as -1 and the windows opened
  // later in this run are centred with the saving sizes.
  FileStatus saveinf(bool resetAll, float screenWidthTwips, float screenHeightTwips);

  // The exit question; true to end the program.
  bool confirmExit();
  void showVersion();

  // The timer fired. A tick never runs inside a command, a search or a
  // message box: it waits until they are over.
  void timerFired();

  // Marks a command, a dialog or a message box as running (see timerFired).
  class Busy {
   public:
    explicit Busy(MainForm& m);
    ~Busy();
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    MainForm& m_;
  };

  // What the window does after every calculation (the phase picture and
  // the open views) and while a search runs.
  void setViewsHook(std::function<void()> hook) { viewsHook_ = std::move(hook); }
  void setSearchProgress(SearchProgress* p) { lunation_.setProgress(p); }
  // Each output that is switched on takes its row here (data table, graph,
  // export file, in that order).
  void setOutputHook(std::function<void(Check)> hook) { outputHook_ = std::move(hook); }

  // The guidance line (Label21): the hint of the control under the pointer.
  const std::string& guidance() const { return guidance_; }
  void hover(const std::string& controlName);
  std::function<void()> onGuidanceChanged;

 private:
  // Every message box the components show marks the form as busy.
  class GuardedUi : public UiPort {
   public:
    GuardedUi(MainForm& m, UiPort& inner) : m_(m), inner_(inner) {}
    bool askYesNo(const std::string& title, const std::string& text) override;
    void message(const std::string& title, const std::string& text, Tone tone) override;
    void beep() override { inner_.beep(); }
    void setWaitCursor(bool on) override { inner_.setWaitCursor(on); }

   private:
    MainForm& m_;
    UiPort& inner_;
  };

  MainForm(UiPort& ui, ClockPort& clock, std::unique_ptr<ManualTimer> own, TimerPort* timer,
           FilePaths paths);
  void wireRules();
  void takeOutputs();
  void setGuidance(const std::string& text);

  GuardedUi ui_;
  ClockPort& clock_;
  std::unique_ptr<ManualTimer> ownTimer_;
  TimerPort& timer_;
  FilePaths paths_;
  FormModel form_;
  CalcRecord rec_;
  Calculator calculator_;
  DateFields dates_;
  Lunation lunation_;
  Continuous continuous_;
  SiteList sites_;
  SiteEditor siteEditor_;
  Placements placements_;
  std::function<void()> viewsHook_;
  std::function<void(Check)> outputHook_;
  std::string guidance_;
  int busy_ = 0;
  bool tickDue_ = false;
};

}  // namespace velmar
