// The command table as a whole, and dispatch through it.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "app/captions.h"
#include "app/main_form.h"
#include "engine/headless_form.h"
#include "engine/instant.h"
#include "engine/program.h"

namespace velmar {
namespace {

TEST(CommandTable, EveryEntryActsOnceAndEveryNameAndTextStandsOnce) {
  std::set<std::string> names;
  std::set<std::string> settingNames;
  std::set<Handler> handlers;
  std::map<std::string, std::string> guidanceOwner;
  auto guidance = [&](const char* text, const std::string& owner) {
    if (!text) return;
    const auto [it, fresh] = guidanceOwner.emplace(text, owner);
    EXPECT_TRUE(fresh) << "\"" << text << "\" is written for " << it->second << " and " << owner;
  };
  for (const Command& c : commands()) {
    ASSERT_TRUE(c.faces[0].name) << "command " << static_cast<int>(c.id) << " has no face";
    const std::string id = c.faces[0].name;
    EXPECT_EQ(&command(c.id), &c) << id;
    ASSERT_NE(c.handler, nullptr) << id;
    EXPECT_TRUE(handlers.insert(c.handler).second) << id << ": its handler is another row's";
    for (const FaceDef& f : c.faces) {
      if (!f.name) continue;
      std::set<std::string>& space = f.face == Face::Setting ? settingNames : names;
      EXPECT_TRUE(space.insert(f.name).second) << f.name << " names two faces";
      EXPECT_FALSE(findCaption(f.name)) << f.name << " is a command and a caption";
      if (f.face == Face::Menu || f.face == Face::Tool) {
        EXPECT_NE(c.captionOf(f), nullptr) << f.name;
      }
    }
    if (c.tool()) {
      EXPECT_NE(c.picture, nullptr) << id;
    }
    guidance(c.guidance, id);
    for (const FaceDef& f : c.faces)
      if (f.name && f.guidance && *f.guidance) guidance(f.guidance, f.name);
  }
  for (const Caption& c : captions()) {
    if (c.name) {
      EXPECT_TRUE(names.insert(c.name).second) << c.name;
    }
    if (c.guidance != kTitleText) guidance(c.guidance, c.name ? c.name : "a caption");
  }
  for (int i = 1; i < kFieldCount; ++i) {
    const FieldInfo& f = fieldInfo(static_cast<Field>(i));
    guidance(f.hint, f.control);
    guidance(f.spinner.hint, f.spinner.name ? f.spinner.name : f.control);
    EXPECT_EQ(f.keypadCode != 0, f.keypadCaption != nullptr) << f.control;
  }
  // The menus and the toolbar lay out commands with such a face, once.
  std::set<Cmd> laidOut;
  for (const MenuLayout& m : menuLayout())
    for (const std::optional<Cmd>& item : m.items)
      if (item) {
        EXPECT_TRUE(laidOut.insert(*item).second) << m.name;
        EXPECT_NE(command(*item).menu(), nullptr) << m.name;
      }
  for (const std::optional<Cmd>& item : toolbarLayout())
    if (item) {
      EXPECT_NE(command(*item).tool(), nullptr);
    }
}

// Every caption and message of the window layer comes from a table: the
// command and caption tables of the core, or the window layer's own texts.
TEST(CommandTable, TheWindowLayerWritesNoJapaneseTextOfItsOwn) {
  namespace fs = std::filesystem;
  const fs::path gui = fs::path(VELMAR_TEST_DATA) / ".." / ".." / "src" / "gui";
  int files = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(gui)) {
    const std::string ext = e.path().extension().string();
    if ((ext != ".cpp" && ext != ".h") || e.path().filename() == "texts.h") continue;
    ++files;
    std::ifstream in(e.path());
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
      // Inside string literals, up to a comment.
      bool inString = false;
      for (size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (!inString && ch == '/' && i + 1 < line.size() && line[i + 1] == '/') break;
        if (ch == '\\' && inString) {
          ++i;
          continue;
        }
        if (ch == '"' && (i == 0 || line[i - 1] != '\'')) inString = !inString;
        EXPECT_FALSE(inString && static_cast<unsigned char>(ch) >= 0x80)
            << e.path().filename().string() << ":" << n << ": " << line;
        if (inString && static_cast<unsigned char>(ch) >= 0x80) break;
      }
    }
  }
  EXPECT_GT(files, 20);
}

TEST(CommandTable, UnknownNamesAndKeysDoNothing) {
  testing_form::HeadlessForm h;
  MainForm& main = h.main;
  const FormState before = main.form().state();
  for (const char* name : {"", "nosuchcommand", "AGEBT", "agebt ", "speedFrame", "siteCombo"})
    EXPECT_FALSE(main.run(name)) << name;
  EXPECT_FALSE(main.clickToolbar("Agebt"));    // keys compare exactly
  EXPECT_FALSE(main.clickToolbar("onecalc"));  // a menu item, not a toolbar key
  EXPECT_FALSE(main.spin("noSuchSpinner", 1));
  EXPECT_TRUE(main.form().state() == before);
  EXPECT_FALSE(findCommand("loopcalc ").has_value());
  // One action under its three names.
  EXPECT_EQ(findCommand("loopcalc")->command, findCommand("startLoopButton")->command);
  EXPECT_EQ(findCommand("loopbt")->command, findCommand("startLoopButton")->command);
}

TEST(CommandTable, BoundControlsFollowTheForm) {
  testing_form::HeadlessForm h;
  MainForm& main = h.main;
  FormModel& f = h.form;
  EXPECT_TRUE(main.run("unitSecondsOption"));
  EXPECT_TRUE(f.option(Option::Seconds));
  EXPECT_EQ(main.continuous().loopTarget(), 9);
  EXPECT_TRUE(main.run("autoDeltaTCheck"));
  EXPECT_EQ(f.check(Check::AutoDeltaT), 1);
  EXPECT_TRUE(main.run("autoDeltaTCheck"));
  EXPECT_EQ(f.check(Check::AutoDeltaT), 0);
  EXPECT_TRUE(main.run("guid"));
  EXPECT_FALSE(f.tick(Tick::guid));
  // The modes stay exclusive whichever item is chosen.
  for (const char* item : {"easycalc", "easycalc", "hqcalc", "hqcalc"}) {
    main.run(item);
    EXPECT_NE(f.tick(Tick::easycalc), f.tick(Tick::hqcalc)) << item;
  }
  EXPECT_TRUE(main.clickToolbar("loopbt"));
  EXPECT_GT(h.timer.interval(), 0);
  // What only a window can do is asked of the window port.
  main.run("sokuedit");
  main.run("endmenu");
  ASSERT_TRUE(main.headlessWindows());
  EXPECT_EQ(main.headlessWindows()->shown, std::vector<Win>{Win::SiteEditor});
  EXPECT_EQ(main.headlessWindows()->closeRequests, 1);
}

using InvalidDates = testing_form::HeadlessFormTest;

// A date the Julian Day cannot be formed for (here a year before the
// calendar's) is told: a beep and a hint, until a valid date is calculated
// again.
TEST_F(InvalidDates, AreToldUntilTheDateIsRightAgain) {
  FormModel& f = form;
  testing_instant::enterInstant(f, "2001", "3", "9", "21", "5", "0");
  main.run("calcButton");
  const std::string jd = f.text(Field::JulianDay);
  const int beeps = ui.beeps;
  main.enter(Field::Year, "1582");
  EXPECT_EQ(testing_instant::instantOf(f), "1582-3-9 21:5:0");
  main.run("calcButton");
  EXPECT_EQ(f.text(Field::JulianDay), jd);  // kept from the last valid date
  main.run("calcButton");
  EXPECT_EQ(ui.beeps, beeps + 2);
  EXPECT_EQ(main.guidance(), kInvalidDateHint);
  EXPECT_EQ(main.invalidDates(), 2);
  testing_instant::enterInstant(f, "2001", "3", "9", "21", "5", "0");
  main.run("calcButton");
  EXPECT_EQ(f.text(Field::JulianDay), jd);
  EXPECT_EQ(main.guidance(), kTitleText);
  EXPECT_EQ(ui.beeps, beeps + 2);
}

// Fault guarded: an invalid date was told only on the guidance line, which
// the next hover overwrote (and nothing at all with the line switched off).
// The field and the results stay marked until a valid date is calculated.
TEST_F(InvalidDates, StayMarkedInTheFieldAndTheResultsUntilAValidCalculation) {
  FormModel& f = form;
  testing_instant::enterInstant(f, "2001", "3", "9", "21", "5", "0");
  main.run("calcButton");
  int signs = 0;
  main.entrySignChanged().connect([&] { ++signs; });
  for (const auto& [field, typed] : {std::pair{Field::Year, "abcd"}, {Field::Year, "1582"}}) {
    main.confirm(field, typed);
    EXPECT_EQ(main.entrySign().field, Field::Year) << typed;
    EXPECT_TRUE(main.entrySign().staleResults);
    EXPECT_NE(main.entrySign().text.find("1583"), std::string::npos);
  }
  EXPECT_EQ(signs, 1);
  main.hover("calcButton");
  f.setTick(Tick::guid, false);
  main.run("calcButton");
  EXPECT_TRUE(main.entrySign().staleResults);
  main.confirm(Field::Year, "2001");
  EXPECT_EQ(main.entrySign().field, Field{});
  EXPECT_FALSE(main.entrySign().staleResults);
  EXPECT_EQ(signs, 2);
}

}  // namespace
}  // namespace velmar
