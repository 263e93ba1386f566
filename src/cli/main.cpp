// velmar-cli: the main form without a window. Fills the fields as a user
// would, runs the calculation and prints every field as displayed.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "config/sites.h"
#include "cli/cli_args.h"
#include "engine/numtext.h"

namespace {

using velmar::Field;

struct Line {
  const char* label;
  Field field;
};

constexpr Line kLines[] = {
    {"年", Field::Text1},          {"月", Field::Text2},
    {"日", Field::Text3},          {"時", Field::Text7},
    {"分", Field::Text8},          {"秒", Field::Text9},
    {"△Ｔ", Field::Text12},        {"ユリウス日", Field::Text4},
    {"太陽の黄経", Field::Text5},  {"月の黄経", Field::Text6},
    {"月の位相", Field::Text10},   {"月の輝面比", Field::Text11},
    {"基準日", Field::Text13},     {"基準差", Field::Text14},
    {"太陽の地心距離", Field::Text15}, {"月の地心距離(km)", Field::Text16},
    {"月の赤経", Field::Text19},   {"月の黄緯", Field::Text20},
    {"月の赤緯", Field::Text21},   {"月の方位", Field::Text22},
    {"月の高度", Field::Text23},
};

// Messages the core would show in a box go to stderr; questions get "Yes".
class CliUi : public velmar::PlainUi {
 public:
  void message(const std::string& title, const std::string& text) override {
    PlainUi::message(title, text);
    // The core breaks lines with CR, as its message boxes do.
    std::string lines = text;
    for (char& c : lines)
      if (c == '\r') c = '\n';
    std::cerr << lines << "\n";
  }
};

std::string fieldsBlock(const velmar::FormModel& form) {
  std::string out;
  for (const Line& l : kLines) {
    out += l.label;
    out += '\t';
    out += form.text(l.field);
    out += '\n';
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const velmar::cli::ParseResult parsed = velmar::cli::parseArgs(args);
  if (!parsed.error.empty()) {
    std::cerr << "velmar-cli: 引数が正しくありません: " << parsed.error << "\n";
    return 2;
  }
  const velmar::cli::Args& a = parsed.args;
  if (a.help) {
    std::cout << velmar::cli::usage();
    return 0;
  }

  CliUi ui;
  velmar::SystemClock clock;
  velmar::MainForm main(ui, clock);
  velmar::FormModel& form = main.form();

  const velmar::CivilTime now = velmar::toJst(clock.now());
  const std::vector<std::string> date =
      a.date ? *a.date
             : std::vector<std::string>{velmar::formatInt(now.year), velmar::formatInt(now.month),
                                        velmar::formatInt(now.day)};
  const std::vector<std::string> time =
      a.time ? *a.time
             : std::vector<std::string>{velmar::formatInt(now.hour),
                                        velmar::formatInt(now.minute),
                                        velmar::formatInt(now.second)};
  // Written one at a time, as typed: the fields' rules carry a day of 32 or
  // an hour of 24 into the next unit.
  form.setText(Field::Text1, date[0]);
  form.setText(Field::Text2, date[1]);
  form.setText(Field::Text3, date[2]);
  form.setText(Field::Text7, time[0]);
  form.setText(Field::Text8, time[1]);
  form.setText(Field::Text9, time[2]);
  // A value too large to carry was refused (the message is on stderr); the
  // instant asked for cannot be shown.
  if (ui.messages > 0) return 1;
  form.setText(Field::Text12, velmar::formatPlain(a.deltaT ? *a.deltaT
                                                           : form.value(Field::Text1) - 1934));
  if (a.autoDeltaT) form.setCheck(velmar::Check::Check3, 1);
  if (a.reference) form.setText(Field::Text13, *a.reference);
  if (a.easy && !form.tick(velmar::Tick::easycalc)) main.run("easycalc");

  // The site: line N of the site file (the shipped list when the file has
  // none), the typed coordinates over it.
  const velmar::SiteFile sites = velmar::readSites(a.sitesFile.value_or(velmar::kSiteFileName));
  if (!sites.message.empty() && sites.error != velmar::FileError::Missing)
    std::cerr << sites.message << "\n";
  const long long index = a.site.value_or(0);
  if (index >= static_cast<long long>(sites.sites.size())) {
    std::cerr << "velmar-cli: 引数が正しくありません: --site " << index << " (観測地は "
              << sites.sites.size() << " 件です)\n";
    return 2;
  }
  const velmar::SiteRecord& site = sites.sites[static_cast<size_t>(index)];
  main.calculator().setSite(a.latitude.value_or(site.latitude),
                            a.longitude.value_or(site.longitude));

  if (a.autoRebase) form.setCheck(velmar::Check::Check1, 1);
  if (a.stepUnit) {
    static const std::pair<const char*, velmar::Option> units[] = {
        {"year", velmar::Option::Option3},   {"month", velmar::Option::Option4},
        {"day", velmar::Option::Option5},    {"hour", velmar::Option::Option6},
        {"minute", velmar::Option::Option7}, {"second", velmar::Option::Option8}};
    for (const auto& [name, option] : units)
      if (*a.stepUnit == name) form.selectOption(option);
    form.setText(Field::Text17, velmar::formatPlain(a.stepAmount));
    form.selectOption(a.past ? velmar::Option::Option9 : velmar::Option::Option10);
  }

  main.calculator().calc();
  if (a.search) {
    static const std::pair<const char*, const char*> commands[] = {
        {"age", "moonage"}, {"new", "newmcheck"}, {"full", "fullmoon"},
        {"next-full", "nextfull"}, {"prev-full", "backfull"}};
    for (const auto& [name, command] : commands)
      if (*a.search == name) main.run(command);
  }
  std::cout << fieldsBlock(form);
  if (a.stepUnit) {
    main.run("loopcalc");
    for (long long i = 1; i < a.count; ++i) {
      main.timerFired();
      std::cout << "\n" << fieldsBlock(form);
    }
  }
  return 0;
}
