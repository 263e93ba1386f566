#include "app/main_form.h"

#include "app/commands.h"
#include "astro/calendar.h"
#include "engine/constants.h"
#include "engine/numtext.h"

namespace velmar {

// Stands in for the window system when there is none.
struct MainForm::Headless {
  ManualTimer timer;
  PlainWindows windows;
};

// The ports, and what owns them when the form runs headless.
struct MainForm::Assembly {
  std::unique_ptr<Headless> own;
  Ports ports;
};

// Marks a command, a dialog or a message box as running (see timerFired).
class MainForm::Busy {
 public:
  explicit Busy(MainForm& m) : m_(m) { ++m_.busy_; }
  ~Busy() {
    if (--m_.busy_ > 0 || !m_.tickDue_) return;
    m_.tickDue_ = false;
    // The tick that fell due meanwhile runs from the event loop, right
    // after the work that held it back, never inside it.
    if (m_.timer_.interval() > 0) {
      std::weak_ptr<bool> alive = m_.alive_;
      MainForm* m = &m_;
      m_.timer_.post([alive, m] {
        if (alive.lock()) m->timerFired();
      });
    }
  }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  MainForm& m_;
};

MainForm::Assembly MainForm::headless(UiPort& ui, ClockPort& clock, TimerPort* timer) {
  auto own = std::make_unique<Headless>();
  Ports ports{ui, clock, timer ? *timer : own->timer, own->windows, own->windows};
  return {std::move(own), ports};
}

MainForm::MainForm(Assembly a, FilePaths paths)
    : own_(std::move(a.own)),
      windows_(own_ ? static_cast<WindowPort*>(&own_->windows) : &unattached_),
      guarded_(*this, a.ports),
      clock_(a.ports.clock),
      timer_(a.ports.timer),
      paths_(std::move(paths)),
      calculator_(form_),
      dates_(form_, calculator_, guarded_, clock_),
      lunation_(form_, calculator_, guarded_),
      continuous_(form_, calculator_, guarded_, timer_),
      sites_(calculator_, paths_.sites),
      siteEditor_(sites_),
      additions_(paths_.additions),
      outputs_(form_, calculator_.result(), continuous_, guarded_, guarded_, guarded_),
      batch_(form_, calculator_, continuous_, outputs_, timer_),
      views_(form_, calculator_),
      timePad_(form_, dates_, continuous_, calculator_),
      keypad_(form_, dates_, timePad_) {
  wireRules();
}

MainForm::MainForm(const Ports& ports, FilePaths paths)
    : MainForm(Assembly{nullptr, ports}, std::move(paths)) {}

MainForm::MainForm(UiPort& ui, ClockPort& clock, TimerPort& timer, FilePaths paths)
    : MainForm(headless(ui, clock, &timer), std::move(paths)) {}

MainForm::MainForm(UiPort& ui, ClockPort& clock, FilePaths paths)
    : MainForm(headless(ui, clock, nullptr), std::move(paths)) {}

MainForm::~MainForm() { *alive_ = false; }

PlainWindows* MainForm::headlessWindows() { return own_ ? &own_->windows : nullptr; }

void MainForm::attachWindows(WindowPort* windows) {
  if (windows) {
    windows_ = windows;
  } else {
    windows_ = own_ ? static_cast<WindowPort*>(&own_->windows) : &unattached_;
  }
}

void MainForm::wireRules() {
  form_.setFieldRule([this](Field f) {
    if (correctToWhole(f)) return;
    if (!dates_.fieldChanged(f)) continuous_.fieldChanged(f);
  });
  form_.setCheckRule([this](Check c) {
    // Ticking automatic delta T fills the field at once.
    if (c == Check::AutoDeltaT) calculator_.readDateAndTime();
    if (c == Check::AutoRebase) lunation_.autoRebaseClicked();
    outputs_.checkClicked(c);
  });
  form_.setOptionRule([this](Option o) { continuous_.optionClicked(o); });
  calculator_.hooks.rebase = [this] { lunation_.rebase(); };
  // Data table, graph, export file, in that order.
  calculator_.hooks.outputs = [this] { outputs_.take(); };
  calculator_.hooks.dateChecked = [this](bool valid) { dateChecked(valid); };
  continuous_.recordDate = [this] { dates_.recordDate(); };
  continuous_.unitChosen = [this] { timePad_.unitmark(); };
  continuous_.changeAmountTaken = [this] { timePad_.changeAmountChanged(); };
  // Each open view draws after the phase picture, in the views' order.
  static_assert(static_cast<int>(ViewStage::Face) == static_cast<int>(View::Face) + 1 &&
                    static_cast<int>(ViewStage::Sun) == static_cast<int>(View::Sun) + 1,
                "a view's stage follows the phase picture's in the views' order");
  views_.subscribe = [this](std::function<void()> draw, View v) {
    return onDraw(std::move(draw), static_cast<ViewStage>(static_cast<int>(v) + 1));
  };
  views_.unsubscribe = [this](int id) { offDraw(id); };
}

void MainForm::dateChecked(bool valid) {
  if (valid) {
    // The hint has done its work once the date is right again.
    if (guidance_ == kInvalidDateHint) setGuidance(kTitleText);
    if (sign_.staleResults) setSign({});
    return;
  }
  ++invalidDates_;
  guarded_.beep();
  setGuidance(kInvalidDateHint);
  // The field that keeps the date from being one, in the order the
  // calculation tests them.
  EntrySign sign;
  sign.staleResults = true;
  if (!(form_.value(Field::Year) > astro::kFirstGregorianYear - 1)) {
    sign.field = Field::Year;
    sign.text =
        "年には " + formatInt(astro::kFirstGregorianYear) + " 以降の年を数字で入力してください。";
  } else if (!(form_.value(Field::Month) > 0)) {
    sign.field = Field::Month;
    sign.text = "月には 1 から 12 までの数字を入力してください。";
  } else {
    sign.field = Field::Day;
    sign.text = "日には 1 から 31 までの数字を入力してください。";
  }
  setSign(std::move(sign));
}

bool MainForm::correctToWhole(Field f) {
  const std::optional<double> whole = wholeCorrection(f, form_.value(f));
  if (!whole) return false;
  const std::string typed = form_.text(f);
  const std::string rounded = formatPlain(*whole);
  EntrySign sign;
  sign.field = f;
  sign.text = std::string(fieldInfo(f).label) + "は整数で使います。「" + typed + "」を「" +
              rounded + "」にしました。";
  // A date still to be checked keeps its mark: this one is shown until
  // the next entry.
  if (!sign_.staleResults) setSign(sign);
  setGuidance(sign.text);
  form_.setText(f, rounded);
  return true;
}

void MainForm::setSign(EntrySign sign) {
  if (sign == sign_) return;
  sign_ = std::move(sign);
  entrySignChanged_();
}

void MainForm::entryStarts() {
  if (sign_.field != Field{} && !sign_.staleResults) setSign({});
}

int MainForm::onDraw(std::function<void()> draw, ViewStage stage) {
  return calculator_.views.connect(std::move(draw), static_cast<int>(stage));
}

void MainForm::offDraw(int id) { calculator_.views.disconnect(id); }

bool MainForm::run(Cmd c) {
  const Command& command = velmar::command(c);
  if (!command.handler) return false;
  Busy busy(*this);
  command.handler(*this);
  return true;
}

bool MainForm::run(std::string_view name) {
  const std::optional<CommandRef> ref = findCommand(name);
  return ref && run(ref->command->id);
}

bool MainForm::clickToolbar(std::string_view key) {
  for (const std::optional<Cmd>& c : toolbarLayout()) {
    if (c && key == command(*c).tool()->name) return run(*c);
  }
  return false;
}

bool MainForm::spin(std::string_view name, int direction) {
  const FieldInfo* f = findSpinner(name);
  if (!f) return false;
  Busy busy(*this);
  return dates_.spin(f->field, direction);
}

void MainForm::enter(Field f, const std::string& text) {
  Busy busy(*this);
  entryStarts();
  form_.setText(f, text);
}

void MainForm::confirm(Field f, const std::string& text) {
  Busy busy(*this);
  entryStarts();
  form_.setText(f, text);
  if (fieldInfo(f).spinner.calculates) calculator_.calc();
}

void MainForm::selectSite(int index) {
  Busy busy(*this);
  const std::string problem = sites_.select(index);
  if (!problem.empty()) guarded_.message(kTitleText, problem, Tone::Warning);
}

void MainForm::showInstant(const InstantTexts& texts) {
  Busy busy(*this);
  writeInstant(form_, texts);
  calculator_.calc();
}

void MainForm::fillPresentMoment() {
  dates_.writePresentMoment();
  form_.setText(Field::DeltaT, formatPlain(startingDeltaT(form_.value(Field::Year))));
}

void MainForm::startup(float screenWidthTwips, float screenHeightTwips) {
  Busy busy(*this);
  const InfLoad inf = readInfFile(paths_.settings);
  settingsUnread_ = inf.error == FileError::Unreadable || inf.error == FileError::Undecodable;
  settingsEncoding_ = inf.encoding;
  applyInf(inf.values, form_, placements_);
  if (!inf.message.empty()) guarded_.message(kTitleText, inf.message, Tone::Warning);
  centreUnplaced(placements_, screenWidthTwips, screenHeightTwips, false);
  placements_[Win::TimePad].height = static_cast<int>(kTimePadSize.height);
  placements_[Win::TimePad].width = kTimePadSize.width;

  for (Field f : {Field::Phase, Field::Illumination, Field::JulianDay, Field::SunLongitude,
                  Field::MoonLongitude})
    form_.setText(f, "");
  if (form_.check(Check::AutoRebase) == 0) {
    form_.setText(Field::ReferenceDate, "");
    form_.setText(Field::MoonAge, "");
  }
  form_.setText(Field::SunDistance, "");
  form_.setText(Field::MoonDistance, "");

  continuous_.deriveFromSettings();
  setGuidance("");
  fillPresentMoment();
  const std::string siteProblem = sites_.load();
  if (!siteProblem.empty()) guarded_.message(kTitleText, siteProblem, Tone::Warning);
  calculator_.calc();
  // Ticked in the settings, automatic rebasing needs a reference to move:
  // without one the age reads 0 and never passes a new moon. The box's own
  // click rule ran while the fields were still empty.
  if (form_.check(Check::AutoRebase) == 1 && form_.text(Field::ReferenceDate).empty())
    lunation_.calculateMoonAge();
  dates_.recordDate();
}

FileStatus MainForm::saveinf(bool resetAll, float screenWidthTwips, float screenHeightTwips) {
  const std::string& path = paths_.settings;
  if (!mayRewrite(path)) {
    FileStatus refused{FileError::Unwritable, "「" + path +
                                                  "」は書き換えが許可されていないため、"
                                                  "設定を保存しませんでした。"};
    guarded_.message(kTitleText, refused.message, Tone::Warning);
    return refused;
  }
  if (settingsUnread_ &&
      !guarded_.askYesNo("確認", "設定ファイル「" + path + "」" + kOverwriteUnreadSettings))
    return {FileError::Declined, ""};
  if (resetAll)
    for (WindowPlacement& w : placements_.at) w.top = -1;
  const FileStatus status = writeInfFile(path, form_, placements_, settingsEncoding_);
  if (status.ok()) settingsUnread_ = false;
  if (!status.ok()) guarded_.message(kTitleText, status.message, Tone::Critical);
  centreUnplaced(placements_, screenWidthTwips, screenHeightTwips, true);
  return status;
}

bool MainForm::confirmExit() { return guarded_.askYesNo(kTitleText, kExitQuestion); }

void MainForm::showVersion() {
  const std::string text = std::string(14, ' ') + kVersionText +
                           "\r\r"
                           "      月と太陽の位置推算プログラム      \r"
                           "   日本標準時の日時と観測地から推算します   \r\r"
                           "          Velmar 開発チーム          ";
  guarded_.message(kVersionTitle, text, Tone::Info);
}

void MainForm::hover(std::string_view controlName) {
  bool known = false;
  const char* text = guidanceOf(controlName, &known);
  if (text) {
    setGuidance(text);
  } else if (!known) {
    setGuidance(kTitleText);  // the window's bare background
  }
}

void MainForm::setGuidance(const std::string& text) {
  if (guidance_ == text) return;
  guidance_ = text;
  guidanceChanged_();
}

void MainForm::timerFired() {
  if (batch_.active()) return;
  if (busy_ > 0) {
    tickDue_ = true;
    return;
  }
  Busy busy(*this);
  continuous_.tick();
}

// --- the guarded ports -------------------------------------------------------

bool MainForm::Guarded::askYesNo(const std::string& title, const std::string& text) {
  Busy busy(m_);
  return p_.ui.askYesNo(title, text);
}

void MainForm::Guarded::message(const std::string& title, const std::string& text, Tone tone) {
  Busy busy(m_);
  p_.ui.message(title, text, tone);
}

void MainForm::Guarded::show(Win w) {
  Busy busy(m_);
  m_.windows_->show(w);
}

void MainForm::Guarded::help(HelpPage page) {
  Busy busy(m_);
  m_.windows_->help(page);
}

void MainForm::Guarded::closeMain() {
  Busy busy(m_);
  m_.windows_->closeMain();
}

std::optional<FileChoice> MainForm::Guarded::chooseSaveFile(const std::string& title,
                                                            const std::vector<FileFilter>& filters,
                                                            const std::string& current,
                                                            int filter) {
  Busy busy(m_);
  return p_.files.chooseSaveFile(title, filters, current, filter);
}

PrintResult MainForm::Guarded::print(const PrintJob& job) {
  Busy busy(m_);
  return p_.printer.print(job);
}

PrintResult MainForm::Guarded::printToPdf(const PrintJob& job, const std::string& path) {
  Busy busy(m_);
  return p_.printer.printToPdf(job, path);
}

}  // namespace velmar
