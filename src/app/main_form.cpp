#include "app/main_form.h"

#include <map>

#include "engine/numtext.h"

namespace velmar {

const std::vector<CommandInfo>& commandTable() {
  static const std::vector<CommandInfo> table = {
      {"onecalc", "推算(&C)", "", ""},
      {"easycalc", "簡易推算(&E)", "", ""},
      {"hqcalc", "高精度推算(&H)", "", ""},
      {"moonage", "月齢推算(&A)", "F1", ""},
      {"newmcheck", "新月検索(&N)", "F2", ""},
      {"fullmoon", "満月検索(&S)", "Shift+F2", ""},
      {"nextfull", "次の満月(&F)", "Shift+F3", ""},
      {"backfull", "前の満月(&R)", "Shift+F4", ""},
      {"loopcalc", "連続推算(&L)", "F11", ""},
      {"stopcalc", "STOP(&S)", "F12", ""},
      {"mem", "日時の記録(&M)", "Ctrl+W", ""},
      {"remem", "記録日時の復帰(&R)", "Ctrl+R", ""},
      {"endmenu", "Velmarの終了(&X)", "Ctrl+Q", ""},
      {"automem", "連続推算時の日時記録(&M)", "", ""},
      {"sokuedit", "測地ｴﾃﾞｨﾀ(&K)...", "", ""},
      {"guid", "ｶﾞｲﾀﾞﾝｽを表示(&G)", "", ""},
      {"version", "ﾊﾞｰｼﾞｮﾝ情報(&A)...", "", ""},
      // Toolbar keys, with their tooltips as captions.
      {"agebt", "月齢推算", "", "月齢推算　直前の新月を基準日とし、現在の月齢を算出します"},
      {"newbt", "新月検索", "", "新月検索　直前の新月を検索し、年月日時を設定します"},
      {"recbt", "日時記録", "", "日時記録　年月日時分秒を一括記録します"},
      {"Rectangl", "戻す", "", "日時復帰　年月日時分秒を記録状態に戻します"},
      {"loopbt", "連続推算", "",
       "連続推算　連続推算対象・速度・運行方向に従い変化分毎に連続推算します"},
      {"stopbt", "停止", "", "ＳＴＯＰ　連続推算を停止します"},
      {"setbt", "基準差", "", "基準指定　現在のユリウス日を基準日に設定します"},
      {"Waste", "基準ｸﾘｱ", "", "基準日ｸﾘｱ　基準日及び基準差をｸﾘｱします"},
      // Window controls.
      {"Command1", "推　算", "", "推算　現在の日時で推算します"},
      {"Command16", "現在の日時", "", "現在の日時　現在の年月日時分秒を設定します"},
      {"Command17", "クリア", "", "クリア　算出された結果を全てクリアします"},
      {"Command18", "STOP", "", "ＳＴＯＰ　連続推算を停止します"},
      {"Command19", "連続推算", "",
       "連続推算　連続推算対象・速度・運行方向に従い変化分毎に連続推算します"},
      {"Command20", "今 日", "", "今日　現在の年月日のみを指定します"},
      {"Command21", "▼", "", "ｽﾃｯﾌﾟ減算　連続推算対象設定に基づき日時を減算"},
      {"Command22", "▲", "", "ｽﾃｯﾌﾟ加算　連続推算対象設定に基づき日時を加算"},
      {"Command36", "ADJ", "", "ＡＤＪ　分と秒を正時に設定します"},
      {"Check1", "朔月自動基準化", "",
       "朔月自動基準化　朔月を監視し自動的に基準日として設定します"},
      {"Check3", "△Ｔ自動", "", "△Ｔ自動　△Ｔを自動設定します"},
      {"Picture1", "", "", "月齢推算　ｸﾘｯｸで月齢を推算、ﾀﾞﾌﾞﾙｸﾘｯｸで朔月自動基準化します"},
      {"Picture1Double", "", "", ""},
      {"Frame1", "推算速度", "", "推算速度　連続推算速度を選択します"},
      {"Frame2", "連続推算対象", "", "連続推算対象　連続推算の対象を年月日時分秒から選択します"},
      {"Frame3", "運行方向", "", "運行方向　連続推算の運行方向を選択します"},
      {"Combo1", "測地", "", ""},
      // Fields and spinners have no caption; their hints name them.
      {"Text1", "", "", "年数入力　クリックでテンキーパッドを開きます"},
      {"Text2", "", "", "月数入力　クリックでテンキーパッドを開きます"},
      {"Text3", "", "", "日数入力　クリックでテンキーパッドを開きます"},
      {"Text7", "", "", "時刻入力　クリックでテンキーパッドを開きます"},
      {"Text8", "", "", "分数入力　クリックでテンキーパッドを開きます"},
      {"Text9", "", "", "秒数入力　クリックでテンキーパッドを開きます"},
      {"Text17", "", "", "変化分入力　クリックでテンキーパッドを開きます"},
      {"Text18", "", "", "ループ入力　クリックでテンキーパッドを開きます"},
      {"Text12", "", "", "△Ｔ入力　クリックでテンキーパッドを開きます"},
      {"UpDown1", "", "", "年数　年を１増減します"},
      {"UpDown2", "", "", "月数　月を１増減します"},
      {"UpDown3", "", "", "日数　日を１増減します"},
      {"UpDown4", "", "", "時間数　時間を１増減します"},
      {"UpDown5", "", "", "分数　分を１増減します"},
      {"UpDown6", "", "", "秒数　秒を１増減します"},
      {"UpDown7", "", "", "連続推算変化分　変化分を１増減します"},
      {"UpDown8", "", "", "ループ　ループを１増減します"},
      {"UpDown9", "", "", "△Ｔ　△Ｔを１増減します"},
  };
  return table;
}

const CommandInfo* findCommand(const std::string& name) {
  for (const CommandInfo& c : commandTable())
    if (name == c.name) return &c;
  return nullptr;
}

MainForm::MainForm(UiPort& ui, ClockPort& clock, std::unique_ptr<ManualTimer> own, TimerPort* timer,
                   FilePaths paths)
    : ui_(*this, ui),
      clock_(clock),
      ownTimer_(std::move(own)),
      timer_(timer ? *timer : *ownTimer_),
      paths_(std::move(paths)),
      calculator_(form_, rec_),
      dates_(form_, calculator_, ui_, clock_),
      lunation_(form_, calculator_, ui_),
      continuous_(form_, calculator_, ui_, timer_),
      sites_(calculator_, paths_.sites),
      siteEditor_(sites_) {
  wireRules();
}

MainForm::MainForm(UiPort& ui, ClockPort& clock, TimerPort& timer, FilePaths paths)
    : MainForm(ui, clock, nullptr, &timer, std::move(paths)) {}

MainForm::MainForm(UiPort& ui, ClockPort& clock, FilePaths paths)
    : MainForm(ui, clock, std::make_unique<ManualTimer>(), nullptr, std::move(paths)) {}

void MainForm::wireRules() {
  form_.setFieldRule([this](Field f) {
    if (!dates_.fieldChanged(f)) continuous_.fieldChanged(f);
  });
  form_.setCheckRule([this](Check c) {
    // Ticking automatic delta T fills the field at once.
    if (c == Check::AutoDeltaT) calculator_.ymdcheck();
    if (c == Check::AutoRebase) lunation_.check1Clicked();
  });
  form_.setOptionRule([this](Option o) { continuous_.optionClicked(o); });
  calculator_.hooks.rebase = [this] { lunation_.rebase(); };
  calculator_.hooks.outputs = [this] { takeOutputs(); };
  calculator_.hooks.views = [this] {
    if (viewsHook_) viewsHook_();
  };
  continuous_.recordDate = [this] { dates_.datemem(); };
}

void MainForm::takeOutputs() {
  for (Check box : {Check::TableOutput, Check::GraphOutput, Check::FileOutput}) {
    if (form_.check(box) != 1) continue;
    if (outputHook_) outputHook_(box);
    continuous_.rowTaken(continuous_.output(box));
  }
}

bool MainForm::run(const std::string& name) {
  using Handler = void (*)(MainForm&);
  static const std::map<std::string, Handler> handlers = {
      {"onecalc", [](MainForm& m) { m.calculator_.calc(); }},
      {"Command1", [](MainForm& m) { m.calculator_.calc(); }},
      {"easycalc", [](MainForm& m) { m.calculator_.toggleMode(); }},
      {"hqcalc", [](MainForm& m) { m.calculator_.toggleMode(); }},
      {"Command17", [](MainForm& m) { m.calculator_.clearResults(); }},
      {"Check1",
       [](MainForm& m) {
         m.form_.setCheck(Check::AutoRebase, m.form_.check(Check::AutoRebase) ? 0 : 1);
       }},
      {"Check3",
       [](MainForm& m) {
         m.form_.setCheck(Check::AutoDeltaT, m.form_.check(Check::AutoDeltaT) ? 0 : 1);
       }},
      {"Command16", [](MainForm& m) { m.dates_.setToNow(); }},
      {"Command20", [](MainForm& m) { m.dates_.setToToday(); }},
      {"Command36", [](MainForm& m) { m.dates_.adjust(); }},
      {"mem", [](MainForm& m) { m.dates_.confirmAndRecord(); }},
      {"recbt", [](MainForm& m) { m.dates_.confirmAndRecord(); }},
      {"remem", [](MainForm& m) { m.dates_.dateremem(); }},
      {"Rectangl",
       [](MainForm& m) {
         m.dates_.dateremem();
         m.calculator_.calc();
       }},
      {"moonage", [](MainForm& m) { m.lunation_.agecalc(); }},
      {"agebt", [](MainForm& m) { m.lunation_.agecalc(); }},
      {"Picture1", [](MainForm& m) { m.lunation_.agecalc(); }},
      {"Picture1Double", [](MainForm& m) { m.form_.setCheck(Check::AutoRebase, 1); }},
      {"newmcheck", [](MainForm& m) { m.lunation_.newmcheck(); }},
      {"newbt",
       [](MainForm& m) {
         if (m.form_.tick(Tick::easycalc)) m.calculator_.toggleMode();
         m.lunation_.newmcheck();
       }},
      {"fullmoon", [](MainForm& m) { m.lunation_.fullcheck(); }},
      {"nextfull", [](MainForm& m) { m.lunation_.nextfull(); }},
      {"backfull", [](MainForm& m) { m.lunation_.backfull(); }},
      {"setbt", [](MainForm& m) { m.lunation_.setbt(); }},
      {"Waste", [](MainForm& m) { m.lunation_.waste(); }},
      {"loopcalc", [](MainForm& m) { m.continuous_.start(); }},
      {"Command19", [](MainForm& m) { m.continuous_.start(); }},
      {"loopbt", [](MainForm& m) { m.continuous_.start(); }},
      {"stopcalc", [](MainForm& m) { m.continuous_.stop(); }},
      {"Command18", [](MainForm& m) { m.continuous_.stop(); }},
      {"stopbt", [](MainForm& m) { m.continuous_.stop(); }},
      {"Command21", [](MainForm& m) { m.continuous_.stepDown(); }},
      {"Command22", [](MainForm& m) { m.continuous_.stepUp(); }},
      {"automem",
       [](MainForm& m) { m.form_.setTick(Tick::automem, !m.form_.tick(Tick::automem)); }},
      {"guid", [](MainForm& m) { m.form_.setTick(Tick::guid, !m.form_.tick(Tick::guid)); }},
      {"version", [](MainForm& m) { m.showVersion(); }},
  };
  auto it = handlers.find(name);
  if (it == handlers.end()) return false;
  Busy busy(*this);
  it->second(*this);
  return true;
}

bool MainForm::spin(const std::string& name, int direction) {
  const FieldInfo* f = findSpinner(name);
  if (!f) return false;
  Busy busy(*this);
  return dates_.spin(f->field, direction);
}

void MainForm::enter(Field f, const std::string& text) {
  Busy busy(*this);
  form_.setText(f, text);
}

void MainForm::selectSite(int index) {
  Busy busy(*this);
  const std::string problem = sites_.select(index);
  if (!problem.empty()) ui_.message(kTitleText, problem, Tone::Warning);
}

void MainForm::fillPresentMoment() {
  dates_.writePresentMoment();
  form_.setText(Field::DeltaT, formatPlain(form_.value(Field::Year) - 1934));
}

void MainForm::startup(float screenWidthTwips, float screenHeightTwips) {
  Busy busy(*this);
  const InfLoad inf = readInfFile(paths_.settings);
  applyInf(inf.values, form_, placements_);
  if (!inf.message.empty()) ui_.message(kTitleText, inf.message, Tone::Warning);
  centreUnplaced(placements_, screenWidthTwips, screenHeightTwips, false);
  placements_[Win::TimePad].height = 2350;
  placements_[Win::TimePad].width = 1884;

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
  if (!siteProblem.empty()) ui_.message(kTitleText, siteProblem, Tone::Warning);
  calculator_.calc();
  dates_.datemem();
}

FileStatus MainForm::saveinf(bool resetAll, float screenWidthTwips, float screenHeightTwips) {
  if (resetAll)
    for (WindowPlacement& w : placements_.at) w.top = -1;
  const FileStatus status = writeInfFile(paths_.settings, form_, placements_);
  if (!status.ok()) ui_.message(kTitleText, status.message, Tone::Critical);
  centreUnplaced(placements_, screenWidthTwips, screenHeightTwips, true);
  return status;
}

bool MainForm::confirmExit() { return ui_.askYesNo(kTitleText, kExitQuestion); }

void MainForm::showVersion() {
  const std::string text = std::string(14, ' ') + kVersionText +
                           "\r\r"
                           "      月と太陽の位置推算プログラム      \r"
                           "   日本標準時の日時と観測地から推算します   \r\r"
                           "          Velmar 開発チーム          ";
  ui_.message(kVersionTitle, text, Tone::Info);
}

void MainForm::hover(const std::string& controlName) {
  const CommandInfo* info = findCommand(controlName);
  if (info && *info->guidance) {
    setGuidance(info->guidance);
  } else if (!info) {
    setGuidance(kTitleText);  // the window's bare background
  }
}

void MainForm::setGuidance(const std::string& text) {
  if (guidance_ == text) return;
  guidance_ = text;
  if (onGuidanceChanged) onGuidanceChanged();
}

void MainForm::timerFired() {
  if (busy_ > 0) {
    tickDue_ = true;
    return;
  }
  Busy busy(*this);
  continuous_.tick();
}

MainForm::Busy::Busy(MainForm& m) : m_(m) { ++m_.busy_; }

MainForm::Busy::~Busy() {
  if (--m_.busy_ > 0 || !m_.tickDue_) return;
  m_.tickDue_ = false;
  // The tick that came due while the command ran.
  if (m_.timer_.interval() > 0) m_.timerFired();
}

bool MainForm::GuardedUi::askYesNo(const std::string& title, const std::string& text) {
  Busy busy(m_);
  return inner_.askYesNo(title, text);
}

void MainForm::GuardedUi::message(const std::string& title, const std::string& text, Tone tone) {
  Busy busy(m_);
  inner_.message(title, text, tone);
}

}  // namespace velmar
