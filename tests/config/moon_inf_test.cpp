#include "config/moon_inf.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmar {
namespace {

Placements somePlacements() {
  Placements p;
  p[Win::Face] = {120, 3400, 2800, 2800};
  p[Win::Orbit] = {-1, 0, 2500, 2500};
  p[Win::Data] = {1500.5f, 200, 8736, 5388};
  p[Win::Graph] = {0, 0, 8736, 5490};
  p[Win::TimePad] = {2256, 1884, 1884, 2350};
  p[Win::Sky] = {10, 20, 5000, 2500};
  p[Win::Shadow] = {30, 40, 3500, 2500};
  p[Win::Sun] = {50, 60, 3500, 2500};
  return p;
}

TEST(MoonInf, LinesHaveTheirLabelsAndNumberForms) {
  FormModel form;
  form.setText(Field::ChangeAmount, "2.5");
  form.setText(Field::LoopCount, "3.5");
  form.setCheck(Check::GraphMoon, 1);
  const auto lines = formatInf(form, somePlacements());
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0], " 120 , 3400 , 2800 , 2800 ,月相");
  EXPECT_EQ(lines[1], "-1 , 0 , 2500 , 2500 ,軌道");
  EXPECT_EQ(lines[2], " 1500.5 , 200 , 8736 , 5388 ,ﾃﾞｰﾀ");
  EXPECT_EQ(lines[4], " 2256 , 1884 ,ﾀｲﾑ");
  EXPECT_EQ(lines[5], "-1 , 0 ,推算速度");
  EXPECT_EQ(lines[6], " 0 , 0 ,-1 , 0 , 0 , 0 ,年月日時分秒");
  EXPECT_EQ(lines[7], " 0 ,-1 ,運転方向");
  EXPECT_EQ(lines[8], " 0 ,朔望");
  EXPECT_EQ(lines[9], " 0 , 1 , 0 , 0 ,ｸﾞﾗﾌ選択");
  // Halves go to the even neighbour.
  EXPECT_EQ(lines[10], " 2 , 4 ,変化とループ");
  EXPECT_EQ(lines[11], " 1 , 1 ,日時記録とｶﾞｲﾀﾞﾝｽ");
  EXPECT_EQ(lines[14], " 50 , 60 , 3500 , 2500 ,太陽");
}

TEST(MoonInf, SaveThenLoadRestoresEveryControl) {
  FormModel saved;
  saved.selectOption(Option::Normal);
  saved.selectOption(Option::Minutes);
  saved.selectOption(Option::Past);
  saved.setCheck(Check::AutoRebase, 1);
  saved.setCheck(Check::GraphSun, 1);
  saved.setCheck(Check::GraphLatitude, 1);
  saved.setText(Field::ChangeAmount, "90");
  saved.setText(Field::LoopCount, "48");
  saved.setTick(Tick::automem, false);
  const Placements before = somePlacements();
  const InfReadResult read = parseInf(formatInf(saved, before));
  EXPECT_EQ(read.firstBadLine, 0);

  FormModel loaded;
  Placements after;
  applyInf(read.values, loaded, after);
  for (int i = 1; i <= 10; ++i) {
    EXPECT_EQ(loaded.option(static_cast<Option>(i)), saved.option(static_cast<Option>(i)))
        << "Option" << i;
  }
  for (int i = 1; i <= 9; ++i) {
    if (i >= 2 && i <= 5) continue;  // output boxes are not settings
    EXPECT_EQ(loaded.check(static_cast<Check>(i)), saved.check(static_cast<Check>(i)))
        << "Check" << i;
  }
  EXPECT_EQ(loaded.text(Field::ChangeAmount), "90");
  EXPECT_EQ(loaded.text(Field::LoopCount), "48");
  EXPECT_FALSE(loaded.tick(Tick::automem));
  EXPECT_TRUE(loaded.tick(Tick::guid));
  for (int w = 0; w < kWinCount; ++w) {
    if (w == static_cast<int>(Win::TimePad)) continue;  // the file keeps its top and left only
    EXPECT_EQ(after.at[w].top, before.at[w].top) << w;
    EXPECT_EQ(after.at[w].left, before.at[w].left) << w;
    EXPECT_EQ(after.at[w].width, before.at[w].width) << w;
    EXPECT_EQ(after.at[w].height, before.at[w].height) << w;
  }
  EXPECT_EQ(after[Win::TimePad].top, 2256);
  EXPECT_EQ(after[Win::TimePad].left, 1884);
}

TEST(MoonInf, DamagedFilesTakeDefaultsAndNameTheFirstBadLine) {
  FormModel form;
  std::vector<std::string> lines = formatInf(form, somePlacements());
  lines[6] = " 0 , x , 0 ,年月日時分秒";
  lines[9] = "garbage";
  InfReadResult r = parseInf(lines);
  EXPECT_EQ(r.firstBadLine, 7);
  EXPECT_EQ(r.values.options[4], -1);  // the default unit, 日
  EXPECT_EQ(r.values.graph[0], 1);
  EXPECT_EQ(r.values.placements[Win::Face].top, 120);  // good lines still count

  lines.resize(3);
  r = parseInf(lines);
  EXPECT_EQ(r.firstBadLine, 4);
  EXPECT_EQ(r.values.placements[Win::Sun].top, -1);
  EXPECT_EQ(r.values.loopCount, 10);

  // A placement beyond any screen would turn into inf in single precision,
  // or be saved with an exponent: neither reads back.
  lines = formatInf(form, somePlacements());
  lines[1] = " 1" + std::string(300, '0') + " , 0 , 2500 , 2500 ,軌道";
  lines[12] = " 30 , 40 , 1000000000000000 , 2500 ,ｽｶｲﾋﾞｭｰ";
  lines[13] = " 30 , 40 , 400000000000000000000000000000000000000 , 2500 ,地球影";
  r = parseInf(lines);
  EXPECT_EQ(r.firstBadLine, 2);
  EXPECT_EQ(r.values.placements[Win::Orbit].top, -1);
  EXPECT_EQ(r.values.placements[Win::Sky].top, -1);
  EXPECT_EQ(r.values.placements[Win::Shadow].top, -1);
  EXPECT_EQ(r.values.placements[Win::Sun].top, 50);

  r = parseInf({});
  EXPECT_EQ(r.firstBadLine, 1);
  EXPECT_EQ(r.values.changeAmount, 1);
  for (const auto& p : r.values.placements.at) EXPECT_EQ(p.top, -1);
}

TEST(MoonInf, UnplacedWindowsAreCentredWithTheirStartSizes) {
  Placements p;  // every top -1
  p[Win::Face] = {100, 200, 2800, 2800};
  centreUnplaced(p, 19200, 14400, false);
  EXPECT_EQ(p[Win::Face].top, 100);  // placed windows stay
  EXPECT_EQ(p[Win::Data].top, (14400 - 5388) / 2.0f);
  EXPECT_EQ(p[Win::Data].left, (19200 - 8736) / 2.0f);
  EXPECT_EQ(p[Win::Graph].height, 5490);
  EXPECT_EQ(p[Win::Shadow].width, 3500);
  Placements q;
  centreUnplaced(q, 19200, 14400, true);
  EXPECT_EQ(q[Win::Graph].height, 5388);
  EXPECT_EQ(q[Win::Shadow].width, 5000);
  EXPECT_EQ(q[Win::TimePad].left, (19200 - 1908) / 2.0f);
}

}  // namespace
}  // namespace velmar

#include <cstdio>
#include <fstream>
#include <sstream>

#include "config/temp_folder.h"

namespace velmar {
namespace {

std::string bytesOf(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// The file of a first start's settings, written as the program always has:
// Shift-JIS, CR LF, byte for byte.
TEST(MoonInfFile, WrittenFileMatchesTheKeptOneByteForByte) {
  FormModel form;
  form.setCheck(Check::GraphSun, 1);
  form.setCheck(Check::GraphMoon, 1);
  form.setCheck(Check::GraphIllumination, 1);
  form.setCheck(Check::GraphLatitude, 1);
  form.setText(Field::ChangeAmount, "1");
  form.setText(Field::LoopCount, "10");
  const std::string path = ::testing::TempDir() + "moon_inf_written.inf";
  ASSERT_TRUE(writeInfFile(path, form, somePlacements()).ok());
  EXPECT_EQ(bytesOf(path), bytesOf(std::string(VELMAR_TEST_DATA) + "/moon_inf_golden.inf"));

  const InfLoad back = readInfFile(path);
  EXPECT_EQ(back.message, "");
  EXPECT_EQ(back.values.placements[Win::Data].top, 1500.5f);
  std::remove(path.c_str());
}

// Labels are passed over: a file an editor saved in UTF-8 or with LF line
// ends still gives every setting, and saving it brings back Shift-JIS and
// CR LF.
TEST(MoonInfFile, UtfEightLabelsAndLfLineEndsLoseNoSetting) {
  FormModel form;
  form.selectOption(Option::Minutes);
  form.setCheck(Check::GraphMoon, 1);
  form.setText(Field::ChangeAmount, "7");
  const std::vector<std::string> lines = formatInf(form, somePlacements());
  std::string utf8, lf, saved;
  for (const std::string& l : lines) {
    utf8 += l + "\r\n";
    lf += *toCp932(l) + "\n";
    saved += *toCp932(l) + "\r\n";
  }
  testing::TempFolder dir;
  const std::string path = dir / "moon.inf";
  for (const std::string* bytes : {&utf8, &lf}) {
    testing::writeBytes(path, *bytes);
    const InfLoad loaded = readInfFile(path);
    EXPECT_EQ(loaded.message, "");
    FormModel back;
    Placements placements;
    applyInf(loaded.values, back, placements);
    EXPECT_EQ(formatInf(back, placements), lines);
    ASSERT_TRUE(writeInfFile(path, back, placements).ok());
    EXPECT_EQ(testing::readBytes(path), saved);
  }
}

// The main form asks before saving over a file whose settings it could not
// read; the error is what it goes by.
TEST(MoonInfFile, ErrorTellsWhetherSavingWouldReplaceUnreadSettings) {
  testing::TempFolder dir;
  std::filesystem::create_directory(dir / "folder");
  const std::string shiftJis = *toCp932(" 1 , 2 , 3 , 4 ,月相\r\n");
  testing::writeBytes(dir / "good", shiftJis);
  testing::writeBytes(dir / "utf8 label", " 1 , 2 , 3 , 4 ,月相\r\n");
  testing::writeBytes(dir / "binary", shiftJis + "\x81\xff\x00\x9f\r\n");
  struct Row {
    const char* name;
    FileError error;
    const char* inMessage;
  };
  const Row rows[] = {
      {"none", FileError::Missing, ""},
      {"folder", FileError::Unreadable, "読み込めません"},
      {"good", FileError::None, " 2 行目"},
      {"utf8 label", FileError::None, " 2 行目"},
      {"binary", FileError::Undecodable, "2 行目に Shift-JIS として読めない文字"},
  };
  for (const Row& r : rows) {
    const InfLoad load = readInfFile(dir / r.name);
    EXPECT_EQ(load.error, r.error) << r.name;
    EXPECT_NE(load.message.find(r.inMessage), std::string::npos) << r.name << ": " << load.message;
  }
  EXPECT_EQ(readInfFile(dir / "binary").values.placements[Win::Face].left, 2);
}

// Whatever whole count or amount the fields hold is saved in a form the
// next start reads back to the same value: 1E+15 once fell back to 10.
TEST(MoonInf, EveryCountTheFieldsHoldReadsBack) {
  std::vector<std::string> texts = {"2", "365", "99999999999999", "999999999999999",
                                    "1000000000000000", "123456789012345678", "1e300",
                                    "1.7976931348623157e308"};
  for (int e = 14; e <= 308; e += 7) texts.push_back("9.87654321e" + std::to_string(e));
  for (const std::string& t : texts) {
    FormModel form;
    Placements places;
    applyInf(defaultInfValues(), form, places);
    form.setText(Field::LoopCount, t);
    const double held = std::nearbyint(form.value(Field::LoopCount));
    const InfReadResult back = parseInf(formatInf(form, places));
    EXPECT_EQ(back.firstBadLine, 0) << t << ": " << formatInf(form, places)[10];
    EXPECT_EQ(back.values.loopCount, held) << t << ": " << formatInf(form, places)[10];
    // And into the field of the next start.
    FormModel next;
    applyInf(back.values, next, places);
    EXPECT_EQ(next.value(Field::LoopCount), held) << t << ": " << next.text(Field::LoopCount);
  }
}

TEST(MoonInfFile, MissingFileIsAFirstStartAndShortFileIsNamed) {
  const std::string missing = ::testing::TempDir() + "no_such_moon.inf";
  std::remove(missing.c_str());
  const InfLoad first = readInfFile(missing);
  EXPECT_EQ(first.message, "");
  EXPECT_EQ(first.values.loopCount, 10);

  const std::string shortFile = ::testing::TempDir() + "short_moon.inf";
  {
    std::ofstream f(shortFile, std::ios::binary);
    f << " 1 , 2 , 3 , 4 ,\x8c\x8e\x91\x8a\r\n";  // one line, Shift-JIS label
  }
  const InfLoad damaged = readInfFile(shortFile);
  EXPECT_NE(damaged.message.find(shortFile), std::string::npos) << damaged.message;
  EXPECT_NE(damaged.message.find(" 2 行目"), std::string::npos) << damaged.message;
  EXPECT_EQ(damaged.values.placements[Win::Face].left, 2);
  EXPECT_EQ(damaged.values.placements[Win::Orbit].top, -1);
  // Reading never rewrites it.
  EXPECT_EQ(bytesOf(shortFile), " 1 , 2 , 3 , 4 ,\x8c\x8e\x91\x8a\r\n");
  std::remove(shortFile.c_str());
}

}  // namespace
}  // namespace velmar
