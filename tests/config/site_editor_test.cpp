// The main window's site list and the site editor, on a site file of their
// own.
#include "config/site_editor.h"

#include <gtest/gtest.h>

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
  CalcRecord rec;
  Calculator calc{form, rec};
  SiteList sites{calc, path};
  SiteEditor editor{sites};

  void SetUp() override {
    const std::pair<Field, const char*> instant[] = {
        {Field::Text1, "2001"}, {Field::Text2, "3"}, {Field::Text3, "9"},  {Field::Text7, "21"},
        {Field::Text8, "5"},    {Field::Text9, "0"}, {Field::Text12, "66"}};
    for (const auto& [f, t] : instant) form.setText(f, t);
  }

  void type(const char* name, const char* lon, const char* lat, const char* elevation) {
    editor.setText(EditorField::Text1, name);
    editor.setText(EditorField::Text2, lon);
    editor.setText(EditorField::Text3, lat);
    editor.setText(EditorField::Text4, elevation);
  }
};

TEST_F(SiteEditorTest, SelectionMovesTheSiteButNotTheEclipticResults) {
  EXPECT_EQ(sites.load(), "");
  ASSERT_EQ(sites.names().size(), 6u);
  EXPECT_EQ(sites.selected(), 0);
  EXPECT_EQ(form.text(Field::Text24), " 139.69");
  EXPECT_EQ(form.text(Field::Text25), " 35.69");
  const FormModel tokyo = form;

  EXPECT_EQ(sites.select(5), "");  // 明石
  EXPECT_EQ(rec.siteLongitude, 135);
  EXPECT_EQ(form.text(Field::Text24), " 135.00");
  EXPECT_EQ(form.text(Field::Text25), " 34.65");
  for (Field f : {Field::Text4, Field::Text5, Field::Text6, Field::Text10, Field::Text11,
                  Field::Text15, Field::Text16, Field::Text19, Field::Text20, Field::Text21})
    EXPECT_EQ(form.text(f), tokyo.text(f)) << fieldName(f);
  for (Field f : {Field::Text22, Field::Text23})
    EXPECT_NE(form.text(f), tokyo.text(f)) << fieldName(f) << " " << form.text(f);
}

TEST_F(SiteEditorTest, BothListsReadTheFileAgainAndShowItThroughTheMasks) {
  writeTextFile(path, {"A, 5 , 9.5 , 0 ", "B, 1 , 1 , -3 "});
  sites.load();
  EXPECT_EQ(form.text(Field::Text24), " 009.50");
  EXPECT_EQ(form.text(Field::Text25), " 05.00");
  EXPECT_EQ(editor.activate(), "");
  EXPECT_EQ(editor.text(EditorField::Text2), "009.50");
  EXPECT_EQ(editor.text(EditorField::Text3), "05.00");
  EXPECT_EQ(editor.text(EditorField::Text4), "000.00");

  writeTextFile(path, {"A, 5 , 9.5 , 0 ", "B,-33.87,151.21,-3"});  // changed behind our back
  EXPECT_EQ(sites.select(1), "");
  EXPECT_EQ(form.text(Field::Text25), " -33.87");
  EXPECT_EQ(editor.doubleClickList(1), "");
  EXPECT_EQ(editor.text(EditorField::Text2), "151.21");
  EXPECT_EQ(editor.text(EditorField::Text4), "-003.00");
  EXPECT_EQ(editor.text(EditorField::Text5), "1");
  EXPECT_NE(sites.select(2), "");  // no such site any more
  EXPECT_EQ(sites.selected(), 1);
}

TEST_F(SiteEditorTest, MoreSitesThanA16BitIndexHolds) {
  std::vector<std::string> lines;
  for (int i = 0; i < 40000; ++i) lines.push_back("S" + std::to_string(i) + ",1,2," + std::to_string(i));
  writeTextFile(path, lines);
  sites.load();
  EXPECT_EQ(sites.select(39999), "");
  EXPECT_EQ(sites.names()[39999], "S39999");
  editor.activate();
  editor.clickList(39999);
  EXPECT_EQ(editor.text(EditorField::Text4), "39999.00");
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
  EXPECT_EQ(editor.text(EditorField::Text1), "東京");
  EXPECT_TRUE(editor.visible());  // the editor stays open
  ASSERT_EQ(sites.names().size(), 7u);
  EXPECT_EQ(sites.names()[6], "石垣島 \"南\", 沖縄");
  EXPECT_EQ(sites.selected(), 0);
  EXPECT_EQ(form.text(Field::Text24), " 139.69");  // back on the first site
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
      {"longitude not a number", EditorField::Text2, "abc", "東経"},
      {"longitude above 360", EditorField::Text2, "360.5", "東経"},
      {"latitude below -90", EditorField::Text3, "-90.5", "北緯"},
      {"elevation with a unit", EditorField::Text4, "10m", "標高"},
      {"name outside Shift-JIS", EditorField::Text1, "Café", "「é」"},
      {"name with a line break", EditorField::Text1, "a\nb", "測地名"},
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
  EXPECT_EQ(editor.text(EditorField::Text1), "新");  // the typing is not lost
  EXPECT_EQ(sites.selected(), 2);
  EXPECT_EQ(rec.siteLatitude, 43.0642);

  // A file that cannot be read is never overwritten.
  writeBytes(path, "A,1,1,1\r\n\x81\r\n");
  EXPECT_NE(editor.activate().find("2 行目"), std::string::npos);
  EXPECT_EQ(editor.list().front(), "東京");  // the shipped list stands in
  type("新", "1", "2", "3");
  EXPECT_FALSE(editor.apply().written);
  EXPECT_EQ(readBytes(path), "A,1,1,1\r\n\x81\r\n");
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
