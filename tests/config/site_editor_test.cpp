// The main window's site list and the site editor, on a site file of their
// own.
#include "config/site_editor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include "config/temp_folder.h"

namespace velmar {
namespace {

using testing::readBytes;
using testing::writeBytes;

class SiteEditorTest : public ::testing::Test {
 protected:
  testing::TempFolder dir;
  std::string path = dir / "sokuti.dat";
  FormModel form;
  Calculator calc{form};
  SiteList sites{calc, path};
  SiteEditor editor{sites};

  void SetUp() override {
    const std::pair<Field, const char*> instant[] = {
        {Field::Year, "2001"}, {Field::Month, "3"},  {Field::Day, "9"},    {Field::Hour, "21"},
        {Field::Minute, "5"},  {Field::Second, "0"}, {Field::DeltaT, "66"}};
    for (const auto& [f, t] : instant) form.setText(f, t);
  }

  void type(const char* name, const char* lon, const char* lat, const char* elevation) {
    editor.setText(EditorField::Name, name);
    editor.setText(EditorField::Longitude, lon);
    editor.setText(EditorField::Latitude, lat);
    editor.setText(EditorField::Elevation, elevation);
  }
};

TEST_F(SiteEditorTest, SelectionMovesTheSiteButNotTheEclipticResults) {
  EXPECT_EQ(sites.load(), "");
  ASSERT_EQ(sites.names().size(), 6u);
  EXPECT_EQ(sites.selected(), 0);
  EXPECT_EQ(form.text(Field::SiteLongitude), " 139.69");
  EXPECT_EQ(form.text(Field::SiteLatitude), " 35.69");
  const FormState tokyo = form.state();

  EXPECT_EQ(sites.select(5), "");  // 明石
  EXPECT_EQ(calc.site().longitude, 135);
  EXPECT_EQ(form.text(Field::SiteLongitude), " 135.00");
  EXPECT_EQ(form.text(Field::SiteLatitude), " 34.65");
  for (Field f : {Field::JulianDay, Field::SunLongitude, Field::MoonLongitude, Field::Phase,
                  Field::Illumination, Field::SunDistance, Field::MoonDistance,
                  Field::RightAscension, Field::MoonLatitude, Field::Declination})
    EXPECT_EQ(form.text(f), tokyo.texts[code(f)]) << fieldName(f);
  for (Field f : {Field::Azimuth, Field::Altitude})
    EXPECT_NE(form.text(f), tokyo.texts[code(f)]) << fieldName(f) << " " << form.text(f);
}

TEST_F(SiteEditorTest, BothListsReadTheFileAgainAndShowItThroughTheMasks) {
  writeTextFile(path, {"A, 5 , 9.5 , 0 ", "B, 1 , 1 , -3 "});
  sites.load();
  EXPECT_EQ(form.text(Field::SiteLongitude), " 009.50");
  EXPECT_EQ(form.text(Field::SiteLatitude), " 05.00");
  EXPECT_EQ(editor.activate(), "");
  EXPECT_EQ(editor.text(EditorField::Longitude), "009.50");
  EXPECT_EQ(editor.text(EditorField::Latitude), "05.00");
  EXPECT_EQ(editor.text(EditorField::Elevation), "000.00");

  writeTextFile(path, {"A, 5 , 9.5 , 0 ", "B,-33.87,151.21,-3"});  // changed behind our back
  // The main list keeps the site it shows; the editor shows the file.
  EXPECT_NE(sites.select(1).find("変わっています"), std::string::npos);
  EXPECT_EQ(form.text(Field::SiteLatitude), " 01.00");
  EXPECT_EQ(editor.doubleClickList(1), "");
  EXPECT_EQ(editor.text(EditorField::Longitude), "151.21");
  EXPECT_EQ(editor.text(EditorField::Elevation), "-003.00");
  EXPECT_EQ(editor.text(EditorField::Index), "1");
  EXPECT_NE(sites.select(2), "");  // no such site any more
  EXPECT_EQ(sites.selected(), 1);
}

// The name picked must not be calculated with another site's coordinates:
// when the file no longer holds what the list shows, the list's own site is
// used and the user told.
TEST_F(SiteEditorTest, SelectionKeepsTheLoadedSiteWhenTheFileIsGone) {
  writeTextFile(path, {"A,1,1,1", "B,2,3,0"});
  sites.load();
  std::filesystem::remove(path);
  std::string m = sites.select(1);
  EXPECT_EQ(calc.site().latitude, 2);  // not the shipped list's 大阪 under the name B
  EXPECT_EQ(calc.site().longitude, 3);
  EXPECT_EQ(sites.selected(), 1);
  EXPECT_NE(m.find("見つかりません"), std::string::npos) << m;
  EXPECT_NE(m.find("起動時"), std::string::npos) << m;

  writeBytes(path, "A,1,1,1\r\n\x81\r\n");
  m = sites.select(0);
  EXPECT_EQ(calc.site().latitude, 1);
  EXPECT_NE(m.find("読み込めません"), std::string::npos) << m;
}

TEST_F(SiteEditorTest, MoreSitesThanA16BitIndexHolds) {
  std::vector<std::string> lines;
  for (int i = 0; i < 40000; ++i)
    lines.push_back("S" + std::to_string(i) + ",1,2," + std::to_string(i));
  writeTextFile(path, lines);
  sites.load();
  EXPECT_EQ(sites.select(39999), "");
  EXPECT_EQ(sites.names()[39999], "S39999");
  editor.activate();
  editor.clickList(39999);
  EXPECT_EQ(editor.text(EditorField::Elevation), "39999.00");
  editor.setAction(SiteAction::Add);
  ASSERT_TRUE(editor.apply().written);
  EXPECT_EQ(readTextFile(path).lines.back(), "S39999,01.00,002.00,39999.00");
}

TEST_F(SiteEditorTest, AddAfterTheLastWritesTheFileAndReloadsBothLists) {
  sites.load();
  sites.select(5);
  editor.activate();
  editor.clickList(5);
  type("石垣島 \"南\", 沖縄", "124.1553", "24.3448", "8");
  editor.setAction(SiteAction::Add);
  const EditResult r = editor.apply();
  ASSERT_TRUE(r.written) << r.message;
  EXPECT_EQ(readBytes(path), readBytes(std::string(VELMAR_TEST_DATA) + "/sokuti_added.dat"));
  ASSERT_EQ(editor.list().size(), 7u);
  EXPECT_EQ(editor.list()[6], "石垣島 \"南\", 沖縄");
  EXPECT_EQ(editor.listIndex(), 0);
  EXPECT_EQ(editor.text(EditorField::Name), "東京");
  EXPECT_TRUE(editor.visible());  // the editor stays open
  ASSERT_EQ(sites.names().size(), 7u);
  EXPECT_EQ(sites.names()[6], "石垣島 \"南\", 沖縄");
  EXPECT_EQ(sites.selected(), 0);
  EXPECT_EQ(form.text(Field::SiteLongitude), " 139.69");  // back on the first site
}

TEST_F(SiteEditorTest, ApplyPassesOnWhatReloadingTheFileBroughtUp) {
  writeTextFile(path, {"A,1,1,1", "not a site"});
  sites.load();
  editor.activate();
  type("E", "2", "2", "2");
  editor.setAction(SiteAction::Add);
  const EditResult r = editor.apply();
  ASSERT_TRUE(r.written) << r.message;
  EXPECT_NE(r.message.find("not a site"), std::string::npos) << r.message;
  EXPECT_FALSE(r.field);
}

TEST_F(SiteEditorTest, BadFieldsAreNamedAndNothingIsWritten) {
  sites.load();
  const std::string before = readBytes(path);
  struct Row {
    const char* name;
    EditorField field;
    const char* text;
    const char* inMessage;
  };
  const Row rows[] = {
      {"longitude not a number", EditorField::Longitude, "abc", "東経"},
      {"longitude above 360", EditorField::Longitude, "360.5", "東経"},
      {"latitude below -90", EditorField::Latitude, "-90.5", "北緯"},
      {"elevation with a unit", EditorField::Elevation, "10m", "標高"},
      {"name outside Shift-JIS", EditorField::Name, "Café", "「é」"},
      {"name with a line break", EditorField::Name, "a\nb", "測地名"},
      {"empty name", EditorField::Name, "", "測地名"},
      {"name of blanks", EditorField::Name, " \t　", "測地名"},
  };
  for (const Row& r : rows) {
    editor.activate();
    editor.setText(r.field, r.text);
    const EditResult res = editor.apply();
    EXPECT_FALSE(res.written) << r.name;
    EXPECT_EQ(res.field, r.field) << r.name;
    EXPECT_NE(res.message.find(r.inMessage), std::string::npos)
        << r.name << ": \"" << r.text << "\" gave \"" << res.message << "\"";
    EXPECT_EQ(readBytes(path), before) << r.name;
  }
  editor.activate();
  // The limits themselves are allowed; a value the mask rounds to zero
  // loses its minus sign.
  type("端", "-180", "-90", "-0.001");
  EXPECT_TRUE(editor.apply().written);
  EXPECT_EQ(readTextFile(path).lines[0], "端,-90.00,-180.00,000.00");
}

TEST_F(SiteEditorTest, FailedRewriteLeavesFileListsAndSiteAsTheyWere) {
  sites.load();
  sites.select(2);
  editor.activate();
  editor.clickList(3);
  const std::string before = readBytes(path);
  type("新", "1", "2", "3");
  editor.setAction(SiteAction::Replace);
  EditResult r;
  {
    testing::FileSizeLimit full(64);
    r = editor.apply();
  }
  EXPECT_FALSE(r.written);
  EXPECT_NE(r.message.find("元のファイルは変更されていません"), std::string::npos) << r.message;
  EXPECT_EQ(readBytes(path), before);
  EXPECT_EQ(dir.entries(), 1);
  EXPECT_EQ(editor.listIndex(), 3);
  EXPECT_EQ(editor.text(EditorField::Name), "新");  // the typing is not lost
  EXPECT_EQ(sites.selected(), 2);
  EXPECT_EQ(calc.site().latitude, 43.0642);

  // A file that cannot be read is never overwritten.
  writeBytes(path, "A,1,1,1\r\n\x81\r\n");
  EXPECT_NE(editor.activate().find("2 行目"), std::string::npos);
  EXPECT_EQ(editor.list().front(), "東京");  // the shipped list stands in
  type("新", "1", "2", "3");
  const EditResult unreadable = editor.apply();
  EXPECT_FALSE(unreadable.written);
  EXPECT_EQ(readBytes(path), "A,1,1,1\r\n\x81\r\n");

  // Nor is one its user made read-only, though the folder would let it be
  // replaced.
  writeBytes(path, "A,1,1,1\r\n");
  chmod(path.c_str(), 0444);
  editor.activate();
  type("新", "1", "2", "3");
  const EditResult readOnly = editor.apply();
  EXPECT_FALSE(readOnly.written);
  EXPECT_EQ(readOnly.message, unreadable.message);
  EXPECT_EQ(readBytes(path), "A,1,1,1\r\n");
}

TEST_F(SiteEditorTest, UnreadLinesAreToldOncePerFile) {
  writeBytes(path, "A,1,1,1\r\nnot a site\r\n");
  EXPECT_NE(editor.activate().find("2 行目"), std::string::npos);
  editor.cancel();
  EXPECT_EQ(editor.activate(), "");  // the same file, opened again
  writeBytes(path, "bad\r\nA,1,1,1\r\n");
  EXPECT_NE(editor.activate().find("1 行目"), std::string::npos);
  writeBytes(path, "A,1,1,1\r\n");
  EXPECT_EQ(editor.activate(), "");
  writeBytes(path, "bad\r\nA,1,1,1\r\n");
  EXPECT_NE(editor.activate().find("1 行目"), std::string::npos);  // broken anew
}

TEST_F(SiteEditorTest, CancelEmptiesTheListAndKeepsTheAction) {
  sites.load();
  editor.setAction(SiteAction::Replace);
  editor.activate();
  editor.activate();
  EXPECT_EQ(editor.list().size(), 6u);  // not listed twice
  editor.cancel();
  EXPECT_FALSE(editor.visible());
  EXPECT_TRUE(editor.list().empty());
  EXPECT_EQ(editor.action(), SiteAction::Replace);
  // With nothing selected there is nothing to replace.
  EXPECT_FALSE(editor.apply().written);

  const WindowPlacement p = SiteEditor::placement(19200, 14400);
  EXPECT_EQ(p.top, 6000);
  EXPECT_EQ(p.left, 6180);
  EXPECT_EQ(p.width, 6840);
  EXPECT_EQ(p.height, 2400);
}

}  // namespace
}  // namespace velmar

namespace velmar {
namespace {

// A realistic list of a hundred thousand sites (some 4 MB) was refused for
// its size, and each click read the whole file again. A change of the file
// is still noticed at the next click.
TEST_F(SiteEditorTest, AHundredThousandSitesLoadAndSelectQuickly) {
  std::vector<std::string> lines;
  for (int i = 0; i < 100000; ++i)
    lines.push_back("観測地" + std::to_string(i) + ", 35.6544 , 139.7447 , " +
                    std::to_string(i % 3000) + " ");
  ASSERT_TRUE(writeTextFile(path, lines).ok());
  ASSERT_GT(std::filesystem::file_size(path), 3000000u);
  EXPECT_EQ(sites.load(), "");
  ASSERT_EQ(sites.names().size(), 100000u);
  const auto start = std::chrono::steady_clock::now();
  for (int k = 0; k < 50; ++k) EXPECT_EQ(sites.select(k * 1999), "");
  const auto each = (std::chrono::steady_clock::now() - start) / 50;
  EXPECT_LE(each, std::chrono::milliseconds(10));

  lines[5] = "別の地,1,2,3";
  ASSERT_TRUE(writeTextFile(path, lines).ok());
  EXPECT_NE(sites.select(5).find("内容が変わっています"), std::string::npos);
}

// A site file saved as UTF-8 by a Linux editor, with or without a byte-order
// mark: read as it is, and rewritten in the same encoding.
TEST_F(SiteEditorTest, AUtf8SiteFileIsReadAndWrittenBackAsUtf8) {
  const std::string shipped =
      *fromCp932(readBytes(std::string(VELMAR_TEST_DATA) + "/sokuti_shipped.dat"));
  const std::string added =
      *fromCp932(readBytes(std::string(VELMAR_TEST_DATA) + "/sokuti_added.dat"));
  for (const std::string bom : {"", "\xEF\xBB\xBF"}) {
    writeBytes(path, bom + shipped);
    EXPECT_EQ(sites.load(), "") << "BOM " << bom.size();
    ASSERT_EQ(sites.names().size(), 6u);
    EXPECT_EQ(sites.names()[0], "東京");
    sites.select(5);
    editor.activate();
    editor.clickList(5);
    type("石垣島 \"南\", 沖縄", "124.1553", "24.3448", "8");
    editor.setAction(SiteAction::Add);
    const EditResult r = editor.apply();
    ASSERT_TRUE(r.written) << r.message;
    EXPECT_EQ(readBytes(path), bom + added) << "BOM " << bom.size();
  }
}

// Found by the site editor's fuzzer. A UTF-8 file whose second line starts
// with a byte-order mark lost its empty first line at 追加; the mark came to
// the front, made the file one with a byte-order mark, and so the line it
// started was no longer the same unread line.
TEST_F(SiteEditorTest, AnAddKeepsEveryUnreadLineAndTheFilesEncoding) {
  const std::string before = "\r\xEF\xBB\xBF \n 139.69";
  writeBytes(path, before);
  sites.load();
  const SiteFile old = readSites(path);
  ASSERT_EQ(old.encoding, TextEncoding::Utf8);
  editor.activate();
  editor.clickList(0);
  type("E", "139.69", "35.69", "40");
  editor.setAction(SiteAction::Add);
  for (int edit = 0; edit < 2; ++edit) {
    const EditResult r = editor.apply();
    ASSERT_TRUE(r.written) << r.message;
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes.substr(0, 10), "\r\n\xEF\xBB\xBF \r\n 1") << edit;
    const SiteFile now = readSites(path);
    EXPECT_EQ(now.encoding, TextEncoding::Utf8) << edit;
    ASSERT_EQ(now.unread.size(), old.unread.size()) << edit;
    for (size_t i = 0; i < old.unread.size(); ++i)
      EXPECT_EQ(now.unread[i].text, old.unread[i].text) << edit << " " << i;
  }
}

// A site file written by hand may hold any number: a latitude of 999 was
// calculated with.
TEST_F(SiteEditorTest, ASiteOutOfRangeIsToldAndNotCalculatedWith) {
  writeBytes(path, "A,35,139,0\r\n\r\nB,999,139,0\r\nC,35,1e308,0\r\n");
  EXPECT_EQ(sites.load(), "");
  int shown = 0;
  sites.changed().connect([&shown] { ++shown; });
  for (const auto& [k, why] : {std::pair<int, const char*>{1, "3 行目の測地「B」は緯度"},
                               {2, "4 行目の測地「C」は経度"}}) {
    const int before = shown;
    const std::string told = sites.select(k);
    // The list goes back to the site in force.
    EXPECT_EQ(shown, before + 1);
    EXPECT_NE(told.find(why), std::string::npos) << told;
    EXPECT_EQ(sites.selected(), 0);
    EXPECT_EQ(calc.site().latitude, 35);
    EXPECT_EQ(calc.site().longitude, 139);
  }
}

}  // namespace
}  // namespace velmar
