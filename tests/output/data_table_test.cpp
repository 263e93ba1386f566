// The data table: its rows, its counter and stop rule, its listing.
#include "output/data_table.h"

#include <gtest/gtest.h>

#include "output/output_fixture.h"

namespace velmar {
namespace {

using testing_output::OutputTest;

// Columns a text takes in a fixed-pitch font where a Japanese character is
// two wide and a half-width one (ASCII, half-width kana) one.
int columns(const std::string& s) {
  int n = 0;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++n;
      ++i;
      continue;
    }
    const size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    // U+FF61..U+FF9F, half-width katakana: EF BD A1 .. EF BE 9F.
    const bool half = len == 3 && c == 0xEF &&
                      (static_cast<unsigned char>(s[i + 1]) == 0xBD ||
                       static_cast<unsigned char>(s[i + 1]) == 0xBE);
    n += half ? 1 : 2;
    i += len;
  }
  return n;
}

class DataTableTest : public OutputTest {
 protected:
  DataTable& table = outputs.table();
  size_t rows() const { return outputs.table().rows().size(); }
};

TEST_F(DataTableTest, CellsTakeTheMasksOfTheDisplayedFields) {
  const auto cells = formatRow(main.calculator().result());
  const std::array<std::string, kTableColumns> expected = {
      "2001/03/09", "21:05:00", "348.9914", "0.992959", "165.8919", "+4.49189", "360909.7",
      "176.9004",   "0.999269", "       ",  "011.2516", "+09.704",  "115.0776", "+44.993"};
  EXPECT_EQ(cells, expected);

  // "+" for zero, the mask's own minus sign otherwise; a moon age.
  astro::Calculation c = main.calculator().result();
  c.moonLatitude.shown = 0;
  c.declination.shown = -1.5;
  c.altitude.shown = -0.0004;
  c.moonAge = astro::Shown{7.504236110020, 7.504236110020};
  c.time.entered = {2001, 5, 5, 7, 8, 9, 66};
  const auto signs = formatRow(c);
  EXPECT_EQ(signs[0], "2001/05/05");
  EXPECT_EQ(signs[1], "07:08:09");
  EXPECT_EQ(signs[5], "+0.00000");
  EXPECT_EQ(signs[9], "07.5042");
  EXPECT_EQ(signs[11], "-01.500");
  EXPECT_EQ(signs[13], "-00.000");  // below zero, if only just: no "+"
}

TEST_F(DataTableTest, TickingStartsTheTableWithTheCurrentResult) {
  main.run("tableOutputCheck");
  ASSERT_EQ(rows(), 1u);
  EXPECT_EQ(table.rows().cell(0, 0), "2001/03/09");
  main.run("tableOutputCheck");  // off
  main.run("stepUpButton");      // a calculation while off adds nothing
  EXPECT_EQ(rows(), 1u);
  main.run("tableOutputCheck");
  EXPECT_EQ(rows(), 1u);  // a full table, too, starts again with one row
  EXPECT_EQ(table.rows().cell(0, 0), "2001/03/10");
}

TEST_F(DataTableTest, LoopCountRowsThenTheSwitchGoesOffAndTheLoopStops) {
  main.run("dataWindow.startInputButton");  // ﾃﾞｰﾀ入力: the table on, the loop running
  EXPECT_GT(timer.interval(), 0);
  EXPECT_EQ(runLoop(), 9);
  EXPECT_EQ(rows(), 10u);  // the starting point and nine steps
  EXPECT_EQ(table.rows().cell(9, 0), "2001/03/18");
  EXPECT_EQ(form.check(Check::TableOutput), 0);
  EXPECT_EQ(table.counter(), 0);

  // Three rows counted, off by hand, on again: the table starts anew and
  // ends after the seven rows the counter has left.
  main.run("dataWindow.startInputButton");
  runLoop(2);
  ASSERT_EQ(table.counter(), 3);
  main.run("dataWindow.stopInputButton");  // ﾃﾞｰﾀ停止
  main.run("dataWindow.stopLoopButton");   // ＳＴＯＰ
  EXPECT_EQ(timer.interval(), 0);
  main.run("tableOutputCheck");
  main.run("dataWindow.resumeLoopButton");  // 連続推算: the loop alone
  runLoop();
  EXPECT_EQ(rows(), 7u);
  EXPECT_EQ(form.check(Check::TableOutput), 0);
}

TEST_F(DataTableTest, ClearingFromTheMainWindowAddsARowEvenWhenOff) {
  main.run("clearTableButton");  // ﾃﾞｰﾀﾌｫｰﾑｸﾘｱ
  EXPECT_EQ(rows(), 1u);
  EXPECT_EQ(table.counter(), 1);
  main.run("dataWindow.eraseButton");  // ﾃﾞｰﾀ消去: only while 帳票出力 is ticked
  EXPECT_EQ(rows(), 0u);
  EXPECT_EQ(table.counter(), 0);
  main.run("tableOutputCheck");
  main.run("dataWindow.eraseButton");
  EXPECT_EQ(rows(), 1u);
  // Closing the window switches the table off; hiding it does not.
  main.run("dataWindow.closeButton");
  EXPECT_EQ(form.check(Check::TableOutput), 1);
  table.windowClosed();
  EXPECT_EQ(form.check(Check::TableOutput), 0);
}

TEST_F(DataTableTest, ListingHasTheHeaderAndAlignedRows) {
  const std::string header =
      "   算出日    時分秒     太陽黄経   太陽地心   月の黄経   月の黄緯   月の地心   "
      "月の位相   月輝面比   月齢      月の赤経   月の赤緯   月の方位   月の高度";
  EXPECT_EQ(table.listing(), std::vector<std::string>{header});
  main.run("clearTableButton");  // the moon age is empty: seven blanks
  main.run("moonage");
  main.run("calcButton");
  ASSERT_NE(form.text(Field::MoonAge), "");
  table.dataadd();
  const std::vector<std::string> lines = table.listing();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1],
            "2001/03/09   21:05:00   348.9914   0.992959   165.8919   +4.49189   360909.7   "
            "176.9004   0.999269             011.2516   +09.704   115.0776   +44.993");
  // The titles stand over their values in a fixed-pitch font; an empty
  // moon age moves nothing after it.
  const int raColumn = columns(header.substr(0, header.find("月の赤経")));
  EXPECT_EQ(static_cast<int>(lines[1].find("011.2516")), raColumn);
  EXPECT_EQ(static_cast<int>(lines[2].find("011.2516")), raColumn);
  EXPECT_EQ(columns(header.substr(0, header.find("月の位相"))),
            static_cast<int>(lines[2].find("176.9004")));
}

TEST(TableRows, ManyRowsReadBackAndClearingGivesTheMemoryBack) {
  TableRows rows;
  std::array<uint16_t, kTableColumns> ends{};
  std::string text;
  for (int c = 0; c < kTableColumns; ++c) {
    text += "cell" + std::to_string(c) + "xxxxx";
    ends[c] = static_cast<uint16_t>(text.size());
  }
  for (int r = 0; r < 100000; ++r) {
    std::string row = text;
    row.replace(0, 4, std::to_string(r % 10000 + 10000).substr(1));
    rows.append(row, ends);
  }
  ASSERT_EQ(rows.size(), 100000u);
  EXPECT_EQ(rows.cell(0, 0), "00000xxxxx");
  EXPECT_EQ(rows.cell(99999, 0), "99990xxxxx");
  EXPECT_EQ(rows.cell(54321, 13), "cell13xxxxx");
  // Far below the 100 MB that a run of 100 000 rows may take.
  EXPECT_LT(rows.memoryBytes(), 30u << 20);
  rows.clear();
  EXPECT_EQ(rows.size(), 0u);
  EXPECT_LT(rows.memoryBytes(), 1024u);
}

}  // namespace
}  // namespace velmar
