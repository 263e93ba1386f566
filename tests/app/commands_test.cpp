// The command table as a whole, and dispatch through it.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/main_form.h"
#include "engine/instant.h"

namespace velmar {
namespace {

TEST(CommandTable, EveryEntryActsOrShowsSomethingAndEveryTextStandsOnce) {
  std::set<std::string> names;
  std::map<std::string, std::string> guidanceOwner;
  auto guidance = [&](const char* text, const std::string& owner) {
    if (!text) return;
    const auto [it, fresh] = guidanceOwner.emplace(text, owner);
    EXPECT_TRUE(fresh) << "\"" << text << "\" is written for " << it->second << " and " << owner;
  };
  for (const Command& c : commands()) {
    const std::string id = c.id() ? c.id() : "(nameless)";
    for (const char* n : {c.menu.name, c.tool.key, c.control.name}) {
      if (n) {
        EXPECT_TRUE(names.insert(n).second) << n << " names two commands";
      }
    }
    const bool shows = c.guidance || c.tool.guidance || c.control.guidance || c.control.caption;
    EXPECT_TRUE(c.handler || shows) << id << " neither acts nor shows anything";
    EXPECT_EQ(c.menu.name != nullptr, c.menu.caption != nullptr) << id;
    EXPECT_EQ(c.tool.key != nullptr, c.tool.tooltip != nullptr && c.tool.picture != nullptr) << id;
    guidance(c.guidance, id);
    guidance(c.tool.guidance, id);
    guidance(c.control.guidance, id);
    if (c.binding.kind != Binding::Kind::None) {
      EXPECT_NE(c.handler, nullptr) << id;
    }
  }
  for (int i = 1; i < kFieldCount; ++i) {
    const FieldInfo& f = fieldInfo(static_cast<Field>(i));
    guidance(f.hint, f.control);
    guidance(f.spinner.hint, f.spinner.name ? f.spinner.name : f.control);
    EXPECT_EQ(f.keypadCode != 0, f.keypadCaption != nullptr) << f.control;
  }
  // Every item the menus and the toolbar name is a separator or a command
  // under that face, once.
  std::set<std::string> laidOut;
  for (const MenuLayout& m : menuLayout())
    for (const MenuItem& item : m.items) {
      EXPECT_TRUE(laidOut.insert(item.name).second) << item.name;
      const auto ref = findCommand(item.name);
      if (item.separator) {
        EXPECT_FALSE(ref) << item.name;
      } else if (ref) {
        EXPECT_EQ(ref->face, Face::Menu) << item.name;
      }
    }
  for (const char* key : toolbarKeys()) {
    const auto ref = key ? findCommand(key) : std::nullopt;
    if (ref) {
      EXPECT_EQ(ref->face, Face::Tool) << key;
    }
  }
}

TEST(CommandTable, UnknownNamesAndKeysDoNothing) {
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  MainForm main(ui, clock);
  const FormState before = main.form().state();
  for (const char* name : {"", "nosuchcommand", "AGEBT", "agebt ", "Frame1", "Combo1"})
    EXPECT_FALSE(main.run(name)) << name;
  EXPECT_FALSE(main.clickToolbar("Agebt"));    // keys compare exactly
  EXPECT_FALSE(main.clickToolbar("onecalc"));  // a menu item, not a toolbar key
  EXPECT_FALSE(main.spin("UpDown0", 1));
  EXPECT_TRUE(main.form().state() == before);
  EXPECT_FALSE(findCommand("loopcalc ").has_value());
  // One action under its three names.
  EXPECT_EQ(findCommand("loopcalc")->command, findCommand("Command19")->command);
  EXPECT_EQ(findCommand("loopbt")->command, findCommand("Command19")->command);
}

TEST(CommandTable, BoundControlsFollowTheForm) {
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  ManualTimer timer;
  MainForm main(ui, clock, timer);
  FormModel& f = main.form();
  EXPECT_TRUE(main.run("Option8"));
  EXPECT_TRUE(f.option(Option::Seconds));
  EXPECT_EQ(main.continuous().loopTarget(), 9);
  EXPECT_TRUE(main.run("Check3"));
  EXPECT_EQ(f.check(Check::AutoDeltaT), 1);
  EXPECT_TRUE(main.run("Check3"));
  EXPECT_EQ(f.check(Check::AutoDeltaT), 0);
  EXPECT_TRUE(main.run("guid"));
  EXPECT_FALSE(f.tick(Tick::guid));
  // The modes stay exclusive whichever item is chosen.
  for (const char* item : {"easycalc", "easycalc", "hqcalc", "hqcalc"}) {
    main.run(item);
    EXPECT_NE(f.tick(Tick::easycalc), f.tick(Tick::hqcalc)) << item;
  }
  EXPECT_TRUE(main.clickToolbar("loopbt"));
  EXPECT_GT(timer.interval(), 0);
  // What only a window can do is asked of the window port.
  main.run("sokuedit");
  main.run("endmenu");
  ASSERT_TRUE(main.headlessWindows());
  EXPECT_EQ(main.headlessWindows()->shown, std::vector<Win>{Win::SiteEditor});
  EXPECT_EQ(main.headlessWindows()->closeRequests, 1);
}

// A date the Julian Day cannot be formed for (here a year before the
// calendar's) is told: a beep and a hint, until a valid date is calculated
// again.
TEST(InvalidDates, AreToldUntilTheDateIsRightAgain) {
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  MainForm main(ui, clock);
  FormModel& f = main.form();
  testing_instant::enterInstant(f, "2001", "3", "9", "21", "5", "0");
  main.run("Command1");
  const std::string jd = f.text(Field::JulianDay);
  const int beeps = ui.beeps;
  main.enter(Field::Year, "1582");
  EXPECT_EQ(testing_instant::instantOf(f), "1582-3-9 21:5:0");
  main.run("Command1");
  EXPECT_EQ(f.text(Field::JulianDay), jd);  // kept from the last valid date
  main.run("Command1");
  EXPECT_EQ(ui.beeps, beeps + 2);
  EXPECT_EQ(main.guidance(), kInvalidDateHint);
  EXPECT_EQ(main.invalidDates(), 2);
  testing_instant::enterInstant(f, "2001", "3", "9", "21", "5", "0");
  main.run("Command1");
  EXPECT_EQ(f.text(Field::JulianDay), jd);
  EXPECT_EQ(main.guidance(), kTitleText);
  EXPECT_EQ(ui.beeps, beeps + 2);
}

// Fault guarded: an invalid date was told only on the guidance line, which
// the next hover overwrote (and nothing at all with the line switched off).
// The field and the results stay marked until a valid date is calculated.
TEST(InvalidDates, StayMarkedInTheFieldAndTheResultsUntilAValidCalculation) {
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  MainForm main(ui, clock);
  FormModel& f = main.form();
  testing_instant::enterInstant(f, "2001", "3", "9", "21", "5", "0");
  main.run("Command1");
  int signs = 0;
  main.entrySignChanged().connect([&] { ++signs; });
  for (const auto& [field, typed] : {std::pair{Field::Year, "abcd"}, {Field::Year, "1582"}}) {
    main.confirm(field, typed);
    EXPECT_EQ(main.entrySign().field, Field::Year) << typed;
    EXPECT_TRUE(main.entrySign().staleResults);
    EXPECT_NE(main.entrySign().text.find("1583"), std::string::npos);
  }
  EXPECT_EQ(signs, 1);
  main.hover("Command1");
  f.setTick(Tick::guid, false);
  main.run("Command1");
  EXPECT_TRUE(main.entrySign().staleResults);
  main.confirm(Field::Year, "2001");
  EXPECT_EQ(main.entrySign().field, Field{});
  EXPECT_FALSE(main.entrySign().staleResults);
  EXPECT_EQ(signs, 2);
}

}  // namespace
}  // namespace velmar
