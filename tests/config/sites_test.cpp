#include "config/sites.h"

#include <gtest/gtest.h>

#include <sstream>

#include "config/temp_folder.h"
#include "engine/numtext.h"

namespace velmar {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

std::string shown(const SiteRecord& s) {
  std::ostringstream o;
  o.precision(17);
  o << "{" << s.name << "|" << s.latitude << "|" << s.longitude << "|" << s.elevation << "}";
  return o.str();
}

std::string shown(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

TEST(Sites, ReadsBothLineFormsAndQuotedNames) {
  struct Row {
    const char* name;
    const char* line;
    SiteRecord expected;
  };
  const Row rows[] = {
      {"edited form", "東京,35.69,139.69,040.00", {"東京", 35.69, 139.69, 40}},
      {"carried form: signs, no zero before the point",
       "x,-.5 ,-33.25 ,\t.5 ",
       {"x", -0.5, -33.25, 0.5}},
      {"exponent of the general form", "x, 1E-07 , 1E+20 ,-2.5E+3 ", {"x", 1e-7, 1e20, -2500}},
      {"quoted comma", "\"大阪,梅田\", 34.7 , 135.5 , 0 ", {"大阪,梅田", 34.7, 135.5, 0}},
      {"doubled quotes", "\"say \"\"hi\"\"\",1,2,3", {"say \"hi\"", 1, 2, 3}},
      {"blanks around a quoted name", "  \"a,b\"  ,1,2,3", {"a,b", 1, 2, 3}},
      {"quote inside an unquoted name", "ab\"c,1,2,3", {"ab\"c", 1, 2, 3}},
      {"unquoted name keeps its blanks", " 東 京 ,1,2,3", {" 東 京 ", 1, 2, 3}},
  };
  for (const Row& r : rows) {
    const std::optional<SiteRecord> got = parseSiteLine(r.line);
    ASSERT_TRUE(got) << r.name << ": " << r.line;
    EXPECT_EQ(shown(*got), shown(r.expected)) << r.name << ": " << r.line;
  }
  for (const char* bad :
       {"東京", "東京,35,139", "東京,35,139,0,", "東京,abc,139,0", "東京,,139,0", "\"open,1,2,3",
        "\"a\"b,1,2,3", "x,1 2,3,4", "x,1E,2,3", "x,1E400,2,3", "x,1e5x,2,3"}) {
    EXPECT_FALSE(parseSiteLine(bad)) << bad;
  }
}

TEST(Sites, FileRoundTripInBothForms) {
  const std::vector<SiteRecord> sites = {
      {"東京", 35.6544, 139.7447, 40},
      {"大阪,梅田", 34.7025, 135.4959, 3.5},
      {"say \"hi\"", -33.8688, 151.2093, 0},
      {"\"", 0.5, -0.25, 1e-7},
      {",", 89.999, 359.99, 1e20},
      {"ｱｸｼｮﾝ 表示", -90, -180, -12.345678901234},
      {"a\"\",b", 1, 2, 3},
  };
  TempFolder dir;
  std::vector<std::string> lines;
  for (const SiteRecord& s : sites) {
    lines.push_back(carriedSiteLine(s));
    lines.push_back(editedSiteLine(s));
  }
  ASSERT_TRUE(writeTextFile(dir / "sokuti.dat", lines).ok());
  const SiteFile f = readSites(dir / "sokuti.dat");
  ASSERT_EQ(f.sites.size(), 2 * sites.size()) << f.message;
  EXPECT_TRUE(f.message.empty()) << f.message;
  for (size_t i = 0; i < sites.size(); ++i) {
    const SiteRecord& s = sites[i];
    // The edited form holds the values as its masks round them.
    const SiteRecord rounded{s.name, std::stod(formatFixed(s.latitude, 1, 2, false)),
                             std::stod(formatFixed(s.longitude, 1, 2, false)),
                             std::stod(formatFixed(s.elevation, 1, 2, false))};
    EXPECT_EQ(shown(f.sites[2 * i]), shown(s)) << "carried " << lines[2 * i];
    EXPECT_EQ(shown(f.sites[2 * i + 1]), shown(rounded)) << "edited " << lines[2 * i + 1];
  }
}

TEST(Sites, ApplyWalkPlacesTheEditedSite) {
  SiteFile three;
  three.sites = {{"A", 1, 1, 1}, {"B", 2, 2, 2}, {"C", 3, 3, 3}};
  SiteFile one;
  one.sites = {{"A", 1, 1, 1}};
  const SiteRecord e{"E", 9, 9, 9};
  const std::string E = editedSiteLine(e);
  const std::string A = carriedSiteLine(three.sites[0]), B = carriedSiteLine(three.sites[1]),
                    C = carriedSiteLine(three.sites[2]);
  struct Row {
    const char* name;
    const SiteFile& file;
    SiteAction action;
    int selected;
    std::vector<std::string> expected;
  };
  const Row rows[] = {
      {"初期値 replaces the first", three, SiteAction::Initial, 2, {E, B, C}},
      {"初期値 with one site", one, SiteAction::Initial, 0, {E}},
      {"置　換 on entry 0 equals 初期値", three, SiteAction::Replace, 0, {E, B, C}},
      {"置　換 in the middle", three, SiteAction::Replace, 1, {A, E, C}},
      {"追　加 after the first", three, SiteAction::Add, 0, {A, E, B, C}},
      {"追　加 after the last appends", three, SiteAction::Add, 2, {A, B, C, E}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(shown(rewriteSites(r.file, e, r.action, r.selected)), shown(r.expected)) << r.name;
  }
}

TEST(Sites, UnreadLinesAreListedOnceAndKeptInTheirPlace) {
  TempFolder dir;
  writeTextFile(dir / "sokuti.dat", {"bad first", "A,1,1,1", "", "B,x,2,2", "C,3,3,3", "end"});
  const SiteFile f = readSites(dir / "sokuti.dat");
  ASSERT_EQ(f.sites.size(), 2u);
  EXPECT_EQ(f.sites[1].name, "C");
  EXPECT_FALSE(f.shipped);
  for (const char* part : {"1 行目: bad first", "4 行目: B,x,2,2", "6 行目: end"})
    EXPECT_NE(f.message.find(part), std::string::npos) << part << " not in " << f.message;
  EXPECT_EQ(f.message.find("3 行目"), std::string::npos) << f.message;
  EXPECT_EQ(f.lines, (std::vector<int>{2, 5}));
  // The unread lines, and the blank one, stay around the sites they stood by.
  const SiteRecord e{"E", 9, 9, 9};
  EXPECT_EQ(shown(rewriteSites(f, e, SiteAction::Add, 0)),
            shown({"bad first", carriedSiteLine(f.sites[0]), editedSiteLine(e), "", "B,x,2,2",
                   carriedSiteLine(f.sites[1]), "end"}));
}

TEST(Sites, MissingEmptyOrUnusableFilesFallBackToTheShippedList) {
  TempFolder dir;
  const std::string golden = readBytes(std::string(VELMAR_TEST_DATA) + "/sokuti_shipped.dat");
  const std::string path = dir / "sokuti.dat";
  struct Row {
    const char* name;
    const char* bytes;  // nullptr: no file
    bool written;       // the shipped list is written into the file
    FileError error;
  };
  const Row rows[] = {
      {"missing", nullptr, true, FileError::Missing},
      {"empty", "", true, FileError::None},
      {"blank lines only", " \r\n\r\n", true, FileError::None},
      {"only unreadable lines", "x\r\ny,1\r\n", false, FileError::None},
      {"not Shift-JIS", "A,1,1,1\r\n\x81\r\n", false, FileError::Undecodable},
  };
  for (const Row& r : rows) {
    std::filesystem::remove(path);
    if (r.bytes) writeBytes(path, r.bytes);
    const SiteFile before = readSites(path);
    EXPECT_TRUE(before.shipped) << r.name;
    EXPECT_EQ(before.error, r.error) << r.name;
    EXPECT_EQ(before.sites.front().name, "東京") << r.name;
    EXPECT_NE(before.message.find("初期の測地一覧"), std::string::npos)
        << r.name << ": " << before.message;
    EXPECT_TRUE(ensureSiteFile(path).ok()) << r.name;
    EXPECT_EQ(readBytes(path), r.written ? golden : std::string(r.bytes)) << r.name;
  }
}

}  // namespace
}  // namespace velmar
