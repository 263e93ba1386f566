// The settings dialog on a main form of its own, with its own settings file.
#include "config/settings_dialog.h"

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "config/temp_folder.h"

namespace velmar {
namespace {

using testing::readBytes;
using testing::writeBytes;

constexpr float kScreenW = 19200, kScreenH = 14400;

// A main form started in a folder of its own, and its settings dialog as
// the main window assembles it.
struct Started {
  testing::TempFolder dir;
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  ManualTimer timer;
  FilePaths paths{dir / "moon.inf", dir / "sokuti.dat"};
  std::unique_ptr<MainForm> main;
  std::unique_ptr<SettingsDialog> dialog;

  Started() { restart(); }
  // The next run of the program, from what the files hold now.
  void restart() {
    dialog.reset();
    main = std::make_unique<MainForm>(ui, clock, timer, paths);
    main->startup(kScreenW, kScreenH);
    dialog = std::make_unique<SettingsDialog>(main->form(), [this](bool resetAll) {
      return main->saveinf(resetAll, kScreenW, kScreenH);
    });
  }
  FormModel& form() { return main->form(); }
  std::vector<std::string> infLines() {
    const TextLines t = readTextFile(paths.settings);
    return t.lines;
  }
  void type(SettingsField f, const char* text) {
    dialog->edit(f, text);
    dialog->commit(f);
  }
};

TEST(SettingsDialog, MirrorsTheMainWindowAndCopiesEachChangeAtOnce) {
  Started s;
  SettingsDialog& d = *s.dialog;
  FormModel& f = s.form();
  f.setText(Field::ChangeAmount, "15");
  d.activate();
  EXPECT_TRUE(d.visible());
  // A first start: fast, by the day, into the future, all graph series on.
  for (int n = 1; n <= 10; ++n) EXPECT_EQ(d.option(n), n == 3 || n == 7 || n == 9) << "Option" << n;
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(d.box(n), n == 1 || n == 6 ? 0 : 1) << "Check" << n;
  EXPECT_EQ(d.text(SettingsField::ChangeAmount), "15");
  EXPECT_EQ(d.text(SettingsField::LoopCount), "10");

  // "時" on the dialog is "時" on the main window, with its click rule.
  d.clickOption(4);
  EXPECT_TRUE(f.option(Option::Hours));
  EXPECT_FALSE(f.option(Option::Days));
  EXPECT_EQ(s.main->continuous().loopTarget(), 7);
  // The dialog's first direction is the main window's second.
  d.clickOption(10);
  EXPECT_TRUE(f.option(Option::Past));
  EXPECT_EQ(s.main->continuous().loopStep(), -15);
  d.clickOption(8);
  EXPECT_TRUE(f.option(Option::Normal));
  d.clickBox(1);
  EXPECT_EQ(f.check(Check::AutoRebase), 1);
  d.clickBox(4);
  EXPECT_EQ(f.check(Check::GraphIllumination), 0);
  d.clickBox(7);
  EXPECT_FALSE(f.tick(Tick::automem));
  d.clickBox(8);
  EXPECT_FALSE(f.tick(Tick::guid));
  EXPECT_EQ(d.box(8), 0);
}

TEST(SettingsDialog, FieldsAreCorrectedBelowTheirLeastAndShowWhatIsInForce) {
  Started s;
  SettingsDialog& d = *s.dialog;
  d.activate();
  s.type(SettingsField::ChangeAmount, "0");
  EXPECT_EQ(d.text(SettingsField::ChangeAmount), "1");
  EXPECT_EQ(s.form().text(Field::ChangeAmount), "1");
  s.type(SettingsField::LoopCount, "1");
  EXPECT_EQ(d.text(SettingsField::LoopCount), "2");
  EXPECT_EQ(s.form().text(Field::LoopCount), "2");
  s.type(SettingsField::ChangeAmount, "abc");
  EXPECT_EQ(d.text(SettingsField::ChangeAmount), "1");
  // The main window's own rules follow: at most 3600, and the question
  // above 365 loops, here answered No.
  s.type(SettingsField::ChangeAmount, "5000");
  EXPECT_EQ(s.form().text(Field::ChangeAmount), "3600");
  EXPECT_EQ(d.text(SettingsField::ChangeAmount), "3600");
  s.ui.answer = false;
  const int questions = s.ui.questions;
  s.type(SettingsField::LoopCount, "400");
  EXPECT_EQ(s.ui.questions, questions + 1);
  EXPECT_EQ(d.text(SettingsField::LoopCount), "365");
}

TEST(SettingsDialog, SaveWritesTheFileAndCancelKeepsChangesForTheRunOnly) {
  Started s;
  SettingsDialog& d = *s.dialog;
  d.activate();
  d.clickOption(4);
  // Typed and not yet committed: saving commits it.
  d.edit(SettingsField::LoopCount, "48");
  EXPECT_TRUE(d.save().ok());
  EXPECT_FALSE(d.visible());
  std::vector<std::string> lines = s.infLines();
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[6], " 0 , 0 , 0 ,-1 , 0 , 0 ,年月日時分秒");
  EXPECT_EQ(lines[10], " 1 , 48 ,変化とループ");
  const std::string saved = readBytes(s.paths.settings);

  d.activate();
  d.clickOption(6);
  d.clickBox(8);
  d.edit(SettingsField::ChangeAmount, "7");  // dropped by キャンセル
  d.cancel();
  EXPECT_FALSE(d.visible());
  EXPECT_TRUE(s.form().option(Option::Seconds));
  EXPECT_FALSE(s.form().tick(Tick::guid));
  EXPECT_EQ(s.form().text(Field::ChangeAmount), "1");
  d.activate();
  EXPECT_EQ(d.text(SettingsField::ChangeAmount), "1");
  EXPECT_EQ(readBytes(s.paths.settings), saved);

  s.restart();
  EXPECT_TRUE(s.form().option(Option::Hours));
  EXPECT_TRUE(s.form().tick(Tick::guid));
  EXPECT_EQ(s.form().text(Field::LoopCount), "48");
}

TEST(SettingsDialog, ResettingEveryPlaceWritesMinusOneTopsAndStaysTicked) {
  Started s;
  Placements& p = s.main->placements();
  p[Win::Face] = {300, 400, 2800, 2800};
  p[Win::Sun] = {500, 600, 3500, 2500};
  SettingsDialog& d = *s.dialog;
  d.activate();
  d.clickBox(6);
  ASSERT_TRUE(d.save().ok());
  const std::vector<std::string> lines = s.infLines();
  ASSERT_EQ(lines.size(), 15u);
  for (int i : {0, 1, 2, 3, 4, 12, 13, 14}) EXPECT_EQ(lines[i].substr(0, 4), "-1 ,") << lines[i];
  EXPECT_EQ(lines[0], "-1 , 400 , 2800 , 2800 ,月相");
  // For the rest of the run the windows are centred again.
  EXPECT_EQ(p[Win::Face].top, (kScreenH - 2800) / 2);
  d.activate();
  EXPECT_EQ(d.box(6), 1);
}

TEST(SettingsDialog, AFailedSaveIsToldAndLeavesTheOldFileWhole) {
  Started s;
  SettingsDialog& d = *s.dialog;
  d.activate();
  ASSERT_TRUE(d.save().ok());
  const std::string before = readBytes(s.paths.settings);
  d.activate();
  d.clickOption(1);
  FileStatus status;
  {
    testing::FileSizeLimit full(64);
    status = d.save();
  }
  EXPECT_FALSE(status.ok());
  EXPECT_TRUE(d.visible());
  EXPECT_EQ(s.ui.lastTone, Tone::Critical);
  EXPECT_EQ(s.ui.lastText, status.message);
  EXPECT_FALSE(status.message.empty());
  EXPECT_EQ(readBytes(s.paths.settings), before);
  EXPECT_EQ(s.dir.entries(), 2);  // moon.inf and sokuti.dat, no leftovers
}

}  // namespace
}  // namespace velmar
