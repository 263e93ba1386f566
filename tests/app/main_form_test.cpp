// Startup, saving and shutdown of the main form, headless.
#include "app/main_form.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "engine/headless_form.h"

namespace velmar {
namespace {

class MainFormStartup : public ::testing::Test {
 protected:
  PlainUi ui;
  FixedClock clock{testing_form::kExampleEvening};
  // Named after the test: ctest runs the cases side by side.
  std::string prefix =
      ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  FilePaths paths{prefix + "_moon.inf", prefix + "_sokuti.dat"};

  void SetUp() override {
    std::remove(paths.settings.c_str());
    std::remove(paths.sites.c_str());
  }
  void TearDown() override { SetUp(); }
};

TEST_F(MainFormStartup, FirstStartCalculatesThePresentMomentAtTheFirstSite) {
  MainForm main(ui, clock, paths);
  main.form().setText(Field::ReferenceDate, "stale");
  main.startup(19200, 14400);
  const FormModel& f = main.form();
  EXPECT_EQ(f.text(Field::Year) + "-" + f.text(Field::Month) + "-" + f.text(Field::Day) + " " +
                f.text(Field::Hour) + ":" + f.text(Field::Minute),
            "2001-3-9 21:5");
  EXPECT_EQ(f.text(Field::DeltaT), "67");
  EXPECT_EQ(f.text(Field::ReferenceDate), "");  // emptied while rebasing is off
  EXPECT_EQ(f.text(Field::JulianDay), " 2451978.00424768");
  EXPECT_EQ(main.sites().selected(), 0);
  EXPECT_EQ(main.calculator().site().latitude, shippedSites()[0].latitude);
  EXPECT_EQ(ui.messages, 0);
  EXPECT_EQ(ui.questions, 0);
  // Every window without a place is centred with its start size.
  EXPECT_EQ(main.placements()[Win::Graph].height, 5490);
  EXPECT_EQ(main.placements()[Win::TimePad].height, 2350);
  EXPECT_EQ(main.placements()[Win::TimePad].width, 1884);
  // Stepping by the hour works without touching the options first.
  main.form().selectOption(Option::Hours);
  EXPECT_EQ(main.continuous().loopTarget(), 7);
  // The start is recorded: remem goes back to it.
  main.form().setText(Field::Hour, "3");
  main.run("remem");
  EXPECT_EQ(main.form().text(Field::Hour), "21");
}

TEST_F(MainFormStartup, SavedSettingsComeBackAndALargeLoopCountAsks) {
  {
    MainForm first(ui, clock, paths);
    first.startup(19200, 14400);
    first.form().selectOption(Option::Seconds);
    first.form().selectOption(Option::Normal);
    first.form().setText(Field::ChangeAmount, "30");
    first.form().setText(Field::LoopCount, "400");  // asked, and kept
    ASSERT_TRUE(first.saveinf(false, 19200, 14400).ok());
  }
  const int asked = ui.questions;
  MainForm second(ui, clock, paths);
  second.startup(19200, 14400);
  EXPECT_EQ(ui.questions, asked + 1);
  EXPECT_TRUE(second.form().option(Option::Seconds));
  EXPECT_TRUE(second.form().option(Option::Normal));
  EXPECT_EQ(second.form().text(Field::ChangeAmount), "30");
  EXPECT_EQ(second.continuous().loopTarget(), 9);
  EXPECT_EQ(second.continuous().loopInterval(), 1000);
}

TEST_F(MainFormStartup, SavingWithEveryWindowResetWritesMinusOneTops) {
  MainForm main(ui, clock, paths);
  main.startup(19200, 14400);
  main.placements()[Win::Face] = {100, 200, 2800, 2800};
  ASSERT_TRUE(main.saveinf(true, 19200, 14400).ok());
  std::ifstream f(paths.settings, std::ios::binary);
  std::string first;
  std::getline(f, first);
  EXPECT_EQ(first, "-1 , 200 , 2800 , 2800 ,\x8c\x8e\x91\x8a\r");
  // Windows opened later in this run are centred with the saving sizes.
  EXPECT_EQ(main.placements()[Win::Graph].height, 5388);
}

TEST_F(MainFormStartup, DamagedSettingsAreNamedOnce) {
  {
    std::ofstream f(paths.settings, std::ios::binary);
    f << "garbage\r\n";
  }
  MainForm main(ui, clock, paths);
  main.startup(19200, 14400);
  EXPECT_EQ(ui.messages, 1);
  EXPECT_NE(ui.lastText.find(" 1 行目"), std::string::npos) << ui.lastText;
  EXPECT_NE(main.form().text(Field::Azimuth), "");  // and the program goes on
}

// Settings that could not be read are not replaced behind the user's back,
// nor is a file the user made read-only.
TEST_F(MainFormStartup, UnreadSettingsAreReplacedOnlyWhenTheUserAgrees) {
  const std::string undecodable = "\x80\xff\x80,\xff\r\n";  // not Shift-JIS, not settings
  {
    std::ofstream f(paths.settings, std::ios::binary);
    f << undecodable;
  }
  MainForm main(ui, clock, paths);
  main.startup(19200, 14400);
  auto bytes = [&] {
    std::ifstream f(paths.settings, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  };
  ui.answer = false;
  EXPECT_EQ(main.saveinf(false, 19200, 14400).error, FileError::Declined);
  EXPECT_EQ(ui.lastTitle, "確認");
  EXPECT_EQ(bytes(), undecodable);
  ui.answer = true;
  EXPECT_TRUE(main.saveinf(false, 19200, 14400).ok());
  const std::string saved = bytes();
  EXPECT_NE(saved, undecodable);
  const int asked = ui.questions;
  EXPECT_TRUE(main.saveinf(false, 19200, 14400).ok());  // read well now: no question
  EXPECT_EQ(ui.questions, asked);

  chmod(paths.settings.c_str(), 0444);
  main.form().setText(Field::ChangeAmount, "7");
  EXPECT_EQ(main.saveinf(false, 19200, 14400).error, FileError::Unwritable);
  EXPECT_EQ(ui.lastTone, Tone::Warning);
  EXPECT_EQ(bytes(), saved);
  chmod(paths.settings.c_str(), 0644);
}

// Plain text under the settings' name holds no setting to keep, but it is
// the user's text: asked about as an undecodable file is.
TEST_F(MainFormStartup, ATextWithoutSettingsIsReplacedOnlyWhenTheUserAgrees) {
  const std::string text = "買い物リスト\r\n牛乳\r\n";
  {
    std::ofstream f(paths.settings, std::ios::binary);
    f << text;
  }
  MainForm main(ui, clock, paths);
  main.startup(19200, 14400);
  ui.answer = false;
  EXPECT_EQ(main.saveinf(false, 19200, 14400).error, FileError::Declined);
  EXPECT_EQ(ui.lastTitle, "確認");
  std::ifstream f(paths.settings, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), {}), text);
}

// Saved by an editor as UTF-8 with a byte-order mark: the first line still
// reads, and saving keeps the encoding.
TEST_F(MainFormStartup, Utf8SettingsWithAByteOrderMarkReadWhole) {
  {
    MainForm first(ui, clock, paths);
    first.startup(19200, 14400);
    first.form().setText(Field::ChangeAmount, "7");
    first.placements()[Win::Face] = {120, 3400, 2800, 2800};
    ASSERT_TRUE(first.saveinf(false, 19200, 14400).ok());
  }
  auto bytes = [&] {
    std::ifstream f(paths.settings, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  };
  const std::string utf8 = "\xEF\xBB\xBF" + *fromCp932(bytes());
  {
    std::ofstream f(paths.settings, std::ios::binary);
    f << utf8;
  }
  const int messages = ui.messages;
  MainForm main(ui, clock, paths);
  main.startup(19200, 14400);
  EXPECT_EQ(ui.messages, messages) << ui.lastText;
  EXPECT_EQ(main.placements()[Win::Face].left, 3400);
  EXPECT_EQ(main.form().text(Field::ChangeAmount), "7");
  ASSERT_TRUE(main.saveinf(false, 19200, 14400).ok());
  EXPECT_EQ(bytes(), utf8);
}

using MainFormShutdown = testing_form::HeadlessFormTest;

TEST_F(MainFormShutdown, ExitQuestionAndVersionBox) {
  ui.answer = false;
  EXPECT_FALSE(main.confirmExit());
  EXPECT_EQ(ui.lastTitle, "Velmar  Ver2");
  EXPECT_EQ(ui.lastText, "Velmar を終了しますか ?");
  main.run("version");
  EXPECT_EQ(ui.lastTitle, "ﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(ui.lastText.rfind(std::string(14, ' ') + "Velmar  Ver 2.80a\r\r", 0), 0u);
}

TEST(Placements, OffScreenWindowsComeBack) {
  WindowPlacement w{20000, 30000, 2800, 2800};
  bringOntoScreen(w, 19200, 14400);
  EXPECT_EQ(w.left, 19200 - 2800);
  EXPECT_EQ(w.top, 14400 - 2800);
  WindowPlacement left{100, -5000, 2800, 2800};
  bringOntoScreen(left, 19200, 14400);
  EXPECT_EQ(left.left, 0);
  WindowPlacement fine{100, 200, 2800, 2800};
  bringOntoScreen(fine, 19200, 14400);
  EXPECT_EQ(fine.left, 200);
  EXPECT_EQ(fine.top, 100);
  WindowPlacement unplaced;
  bringOntoScreen(unplaced, 19200, 14400);
  EXPECT_EQ(unplaced.top, -1);
}

// Fault guarded: with 朔月自動基準化 ticked in the settings the reference
// stayed empty all session (an empty age reads 0 and never passes a new
// moon), through continuous runs too.
TEST_F(MainFormStartup, AutomaticRebasingTickedAtStartupShowsTheAgeAtOnce) {
  {
    MainForm first(ui, clock, paths);
    first.startup(19200, 14400);
    first.form().setCheck(Check::AutoRebase, 1);
    ASSERT_TRUE(first.saveinf(false, 19200, 14400).ok());
  }
  MainForm second(ui, clock, paths);
  second.startup(19200, 14400);
  const FormModel& f = second.form();
  ASSERT_EQ(f.check(Check::AutoRebase), 1);
  // The new moon of 2001-02-23 17:22 JST (08:23:31 in dynamical time)
  // precedes 2001-03-09 21:05.
  EXPECT_EQ(f.text(Field::ReferenceDate), " 2451963.84966435");
  EXPECT_NEAR(f.value(Field::MoonAge), 14.15, 0.01);
  EXPECT_EQ(f.text(Field::Day) + " " + f.text(Field::Hour), "9 21");
}
}  // namespace
}  // namespace velmar
