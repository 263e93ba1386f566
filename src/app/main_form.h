#pragma once
// The main form without its window: the field state, the calculation
// driver with its result and every component of the main window, assembled
// and wired together. The Qt window and velmar-cli both drive one of these;
// every user action goes through one of its methods.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/commands.h"
#include "config/additions.h"
#include "config/moon_inf.h"
#include "config/site_editor.h"
#include "config/site_list.h"
#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/lunation.h"
#include "engine/ports.h"
#include "engine/program.h"
#include "output/outputs.h"
#include "app/batch_run.h"
#include "stepping/continuous.h"
#include "stepping/date_fields.h"
#include "stepping/keypad.h"
#include "stepping/time_pad.h"
#include "views/views.h"

namespace velmar {

inline constexpr const char* kExitQuestion = "Velmar を終了しますか ?";
inline constexpr const char* kVersionTitle = "ﾊﾞｰｼﾞｮﾝ情報";
// Asked before saving over a settings file that could not be read.
inline constexpr const char* kOverwriteUnreadSettings =
    "を読み込めなかったため、既定の設定で起動しています。\r"
    "保存すると、このファイルの今の内容は失われます。\r\r上書きしますか？";
// The guidance line's text after a calculation whose date is not one.
inline constexpr const char* kInvalidDateHint =
    "日付が正しくありません　年月日を確かめてください（ユリウス日は前の日付のままです）";

// Beside the results' heading while they belong to an earlier date than
// the fields show.
inline constexpr const char* kStaleResultsText = "（前の日付のままです）";

// What the window marks: a field whose value could not be used as typed
// and, while the date is not one, the results, which then still belong to
// the last valid date.
struct EntrySign {
  Field field = Field{};  // Field{} when nothing is marked
  std::string text;       // why, for the field's tooltip
  bool staleResults = false;
  bool operator==(const EntrySign& o) const {
    return field == o.field && text == o.text && staleResults == o.staleResults;
  }
};

// Where the program keeps its files: bare names, in the current directory.
struct FilePaths {
  std::string settings = "moon.inf";
  std::string sites = kSiteFileName;
  // The preferences of the program's additions, apart from moon.inf.
  std::string additions = kAdditionsFileName;
};

// Everything outside the program that the main form talks to.
struct Ports {
  UiPort& ui;
  ClockPort& clock;
  TimerPort& timer;
  FilePort& files;
  PrinterPort& printer;
};

// The stages of drawing after a calculation: the main phase picture, then
// each open view in this order; the almanac's panel last.
enum class ViewStage { Phase, Face, Orbit, Sky, Shadow, Sun, Almanac };

class AlmanacPanel;
class YearViewPanel;
class EclipsePanel;

class MainForm {
 public:
  explicit MainForm(const Ports& ports, FilePaths paths = {});
  // Headless, with windows, file dialogs and a printer that only record
  // what they were asked (headlessWindows()).
  MainForm(UiPort& ui, ClockPort& clock, TimerPort& timer, FilePaths paths = {});
  // The same with a timer of its own, whose ticks only timerFired() runs.
  MainForm(UiPort& ui, ClockPort& clock, FilePaths paths = {});
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;
  ~MainForm();

  FormModel& form() { return form_; }
  const FormModel& form() const { return form_; }
  Calculator& calculator() { return calculator_; }
  // The ports, guarded: while a message box, a dialog or a print job is up,
  // timer ticks wait.
  UiPort& ui() { return guarded_; }
  WindowPort& windows() { return guarded_; }
  FilePort& files() { return guarded_; }
  PrinterPort& printer() { return guarded_; }
  ClockPort& clock() { return clock_; }
  TimerPort& timer() { return timer_; }
  // The recording windows, file dialog and printer of a headless form;
  // nullptr when it was given real ones.
  PlainWindows* headlessWindows();
  // The main window, once it is there, does what only a window system can
  // (WindowPort); until then, and without one, those actions are recorded.
  void attachWindows(WindowPort* windows);
  // The 月の暦's panel while its window is there (it attaches itself), for
  // the commands of that window; nullptr otherwise.
  AlmanacPanel* almanac() { return almanac_; }
  void attachAlmanac(AlmanacPanel* panel) { almanac_ = panel; }
  // The year view's panel, the same way.
  YearViewPanel* yearView() { return yearView_; }
  void attachYearView(YearViewPanel* panel) { yearView_ = panel; }
  // The 日食 window's panel, while that window is there.
  EclipsePanel* eclipses() { return eclipses_; }
  void attachEclipses(EclipsePanel* panel) { eclipses_ = panel; }
  DateFields& dates() { return dates_; }
  Lunation& lunation() { return lunation_; }
  Continuous& continuous() { return continuous_; }
  SiteList& sites() { return sites_; }
  // The site editor keeps its state (the chosen action) for the whole run.
  SiteEditor& siteEditor() { return siteEditor_; }
  Placements& placements() { return placements_; }
  // The additions' own preferences (velmar-additions.ini), read when first
  // asked for.
  AdditionStore& additions() { return additions_; }
  // The data table, the graph and the export file.
  Outputs& outputs() { return outputs_; }
  // "一括推算": the loop's remaining steps at once.
  BatchRun& batch() { return batch_; }
  // The views' open flags, trail and switches; the time pad and keypad.
  Views& views() { return views_; }
  TimePad& timePad() { return timePad_; }
  Keypad& keypad() { return keypad_; }
  const FilePaths& paths() const { return paths_; }

  // --- what the user does; each runs to its end before a tick may run ---

  // Runs the command; false when it has nothing to do.
  bool run(Cmd c);
  // The same by the name of any of its faces (see commands.h); false when
  // there is none.
  bool run(std::string_view name);
  // A click on a toolbar button: the keys are tested in toolbar order, by
  // exact comparison; an unknown key does nothing.
  bool clickToolbar(std::string_view key);
  // One press of the spinner of that name ("daySpinner"), +1 up or -1 down;
  // the date, time and delta T spinners calculate themselves. False when
  // there is no such spinner or the press changed nothing.
  bool spin(std::string_view name, int direction);
  // A field the user has finished typing into.
  void enter(Field f, const std::string& text);
  // The same, finished with Enter: a date, time or delta T field (those
  // whose spinner calculates) then calculates, as "推　算" would.
  void confirm(Field f, const std::string& text);
  // A click on the site list.
  void selectSite(int index);
  // Moves the six date/time fields to an instant (year first, as the
  // searches write them) and calculates, so that every open view shows it:
  // a step picked on the graph, an event picked in the almanac.
  void showInstant(const InstantTexts& texts);

  // Startup, from the settings file to the first result. The screen's size
  // in twips places the windows that have no place yet.
  void startup(float screenWidthTwips, float screenHeightTwips);
  // The present moment in the six date/time fields and the starting delta T.
  void fillPresentMoment();

  // Saves the settings and placements. With `resetAll` every window is to
  // be centred again: the tops are saved as -1 and the windows opened
  // later in this run are centred with the saving sizes. A settings file
  // that could not be read at startup is replaced only after the user
  // agrees (FileError::Declined otherwise); one the user may not write is
  // left alone with a message.
  FileStatus saveinf(bool resetAll, float screenWidthTwips, float screenHeightTwips);

  // The exit question; true to end the program.
  bool confirmExit();
  void showVersion();

  // The timer fired. A tick never runs inside a command, a search or a
  // message box: one that falls due meanwhile is posted to run right after.
  // While a batch runs the steps, the timer's ticks are not needed.
  void timerFired();

  // After every full calculation: the main phase picture and the open views
  // subscribe with their stage, which orders them.
  int onDraw(std::function<void()> draw, ViewStage stage);
  void offDraw(int id);
  void setSearchProgress(SearchProgress* p) { lunation_.setProgress(p); }

  // The guidance line (guidanceLabel): the hint of the control under the pointer.
  const std::string& guidance() const { return guidance_; }
  void hover(std::string_view controlName);
  Signal<>& guidanceChanged() { return guidanceChanged_; }

  // How many calculations found a date that is not one (the Julian Day then
  // stays that of the last valid date).
  int invalidDates() const { return invalidDates_; }
  // The mark of an invalid date stays until a calculation finds a valid one;
  // that of a corrected field until the user's next entry.
  const EntrySign& entrySign() const { return sign_; }
  Signal<>& entrySignChanged() { return entrySignChanged_; }

 private:
  class Busy;
  // The ports as the components see them: every box, dialog and print job
  // marks the form as busy while it is up.
  class Guarded : public UiPort, public WindowPort, public FilePort, public PrinterPort {
   public:
    Guarded(MainForm& m, const Ports& p) : m_(m), p_(p) {}
    bool askYesNo(const std::string& title, const std::string& text) override;
    void message(const std::string& title, const std::string& text, Tone tone) override;
    void beep() override { p_.ui.beep(); }
    void setWaitCursor(bool on) override { p_.ui.setWaitCursor(on); }
    void show(Win w) override;
    void help(HelpPage page) override;
    void closeMain() override;
    std::optional<FileChoice> chooseSaveFile(const std::string& title,
                                             const std::vector<FileFilter>& filters,
                                             const std::string& current, int filter) override;
    PrintResult print(const PrintJob& job) override;
    PrintResult printToPdf(const PrintJob& job, const std::string& path) override;

   private:
    MainForm& m_;
    Ports p_;
  };

  struct Headless;
  struct Assembly;
  static Assembly headless(UiPort& ui, ClockPort& clock, TimerPort* timer);
  MainForm(Assembly a, FilePaths paths);
  void wireRules();
  void setGuidance(const std::string& text);
  void dateChecked(bool valid);
  // The whole-number fields' correction; true when it rewrote the field.
  bool correctToWhole(Field f);
  void setSign(EntrySign sign);
  // A new entry of the user's: a correction's mark has been seen.
  void entryStarts();

  std::unique_ptr<Headless> own_;
  PlainWindows unattached_;
  WindowPort* windows_;
  AlmanacPanel* almanac_ = nullptr;
  YearViewPanel* yearView_ = nullptr;
  EclipsePanel* eclipses_ = nullptr;
  Guarded guarded_;
  ClockPort& clock_;
  TimerPort& timer_;
  FilePaths paths_;
  FormModel form_;
  Calculator calculator_;
  DateFields dates_;
  Lunation lunation_;
  Continuous continuous_;
  SiteList sites_;
  SiteEditor siteEditor_;
  Placements placements_;
  AdditionStore additions_;
  Outputs outputs_;
  BatchRun batch_;
  Views views_;
  TimePad timePad_;
  Keypad keypad_;
  std::string guidance_;
  Signal<> guidanceChanged_;
  int busy_ = 0;
  bool tickDue_ = false;
  int invalidDates_ = 0;
  EntrySign sign_;
  Signal<> entrySignChanged_;
  // The settings file existed at startup but could not be read as settings.
  bool settingsUnread_ = false;
  TextEncoding settingsEncoding_ = TextEncoding::Cp932;  // as moon.inf was read
  // Posted ticks check it: the form may be gone when the event loop runs them.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace velmar
