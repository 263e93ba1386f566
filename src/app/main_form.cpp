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
  };
  return table;
}

const CommandInfo* findCommand(const std::string& name) {
  for (const CommandInfo& c : commandTable())
    if (name == c.name) return &c;
  return nullptr;
}

MainForm::MainForm(UiPort& ui, ClockPort& clock)
    : ui_(ui), clock_(clock), calculator_(form_, rec_) {
  wireRules();
}

void MainForm::wireRules() {
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
  };
  auto it = handlers.find(name);
  if (it == handlers.end()) return false;
  it->second(*this);
  return true;
}

void MainForm::fillPresentMoment() {
  const CivilTime now = toJst(clock_.now());
  form_.setText(Field::Text1, formatInt(now.year));
  form_.setText(Field::Text2, formatInt(now.month));
  form_.setText(Field::Text3, formatInt(now.day));
  form_.setText(Field::Text7, formatInt(now.hour));
  form_.setText(Field::Text8, formatInt(now.minute));
  form_.setText(Field::Text9, formatInt(now.second));
  form_.setText(Field::Text12, formatPlain(form_.value(Field::Text1) - 1934));
}

}  // namespace velmar
