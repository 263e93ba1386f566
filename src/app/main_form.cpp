#include "app/main_form.h"

#include <functional>
#include <map>

#include "engine/numtext.h"

namespace velmar {

const std::vector<CommandInfo>& commandTable() {
  static const std::vector<CommandInfo> table = {
      {"onecalc", "推算(&C)", "", ""},
      {"easycalc", "簡易推算(&E)", "", ""},
      {"hqcalc", "高精度推算(&H)", "", ""},
      {"Command1", "推　算", "", "推算　現在の日時で推算します"},
      {"Command17", "クリア", "", "クリア　算出された結果を全てクリアします"},
      {"Check3", "△Ｔ自動", "", "△Ｔ自動　△Ｔを自動設定します"},
      {"Command16", "現在の日時", "", "現在の日時　現在の年月日時分秒を設定します"},
      {"Command20", "今 日", "", "今日　現在の年月日のみを指定します"},
      {"Command36", "ADJ", "", "ＡＤＪ　分と秒を正時に設定します"},
      {"mem", "日時の記録(&M)", "Ctrl+W", ""},
      {"remem", "記録日時の復帰(&R)", "Ctrl+R", ""},
      // The spinners have no caption; their names are for MainForm::spin.
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

MainForm::MainForm(UiPort& ui, ClockPort& clock)
    : ui_(ui), clock_(clock), calculator_(form_, rec_),
      dates_(form_, calculator_, ui_, clock_, kTitleText) {
  wireRules();
}

void MainForm::wireRules() {
  form_.setFieldRule([this](Field f) { dates_.fieldChanged(f); });
  form_.setCheckRule([this](Check c) {
    // Ticking automatic delta T fills the field at once.
    if (c == Check::Check3) calculator_.ymdcheck();
  });
}

bool MainForm::run(const std::string& name) {
  static const std::map<std::string, std::function<void(MainForm&)>> handlers = {
      {"onecalc", [](MainForm& m) { m.calculator_.calc(); }},
      {"Command1", [](MainForm& m) { m.calculator_.calc(); }},
      {"easycalc", [](MainForm& m) { m.calculator_.toggleMode(); }},
      {"hqcalc", [](MainForm& m) { m.calculator_.toggleMode(); }},
      {"Command17", [](MainForm& m) { m.calculator_.clearResults(); }},
      {"Check3",
       [](MainForm& m) { m.form_.setCheck(Check::Check3, m.form_.check(Check::Check3) ? 0 : 1); }},
      {"Command16", [](MainForm& m) { m.dates_.setToNow(); }},
      {"Command20", [](MainForm& m) { m.dates_.setToToday(); }},
      {"Command36", [](MainForm& m) { m.dates_.adjust(); }},
      {"mem", [](MainForm& m) { m.dates_.confirmAndRecord(); }},
      {"remem", [](MainForm& m) { m.dates_.dateremem(); }},
  };
  auto it = handlers.find(name);
  if (it == handlers.end()) return false;
  it->second(*this);
  return true;
}

bool MainForm::spin(const std::string& name, int direction) {
  const std::optional<Spinner> s = findSpinner(name);
  return s && dates_.spin(*s, direction);
}

void MainForm::fillPresentMoment() {
  dates_.writePresentMoment();
  form_.setText(Field::Text12, formatPlain(form_.value(Field::Text1) - 1934));
}

}  // namespace velmar
