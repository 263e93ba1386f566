// Where the program keeps its files.
#include "config/data_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "config/temp_folder.h"

namespace velmar {
namespace {

TEST(DataFolder, TheFolderOfAnOldStartOrTheUsersDataFolderNeverHome) {
  testing::TempFolder t;
  const std::string home = t / "home";
  const std::string work = t / "observatory";
  std::filesystem::create_directories(home);
  std::filesystem::create_directories(work);
  // Started in a folder without the files (or from the menu, in home).
  EXPECT_EQ(chooseDataFolder(work, home, ""), home + "/.local/share/velmar");
  EXPECT_EQ(chooseDataFolder(home, home, t / "xdg"), t / "xdg/velmar");
  EXPECT_EQ(chooseDataFolder(work, home, "relative/xdg"), home + "/.local/share/velmar");
  // A folder that already holds the files is used as it is; the home folder
  // never is, whatever it holds.
  testing::writeBytes(work + "/sokuti.dat", "A,35,135,0\r\n");
  testing::writeBytes(home + "/moon.inf", "");
  EXPECT_EQ(chooseDataFolder(work, home, ""), work);
  EXPECT_EQ(chooseDataFolder(home, home, ""), home + "/.local/share/velmar");
  EXPECT_EQ(chooseDataFolder(home + "/", home, ""), home + "/.local/share/velmar");
}

TEST(DataFolder, IsMadeWhenMissingAndEntered) {
  testing::TempFolder t;
  const std::filesystem::path before = std::filesystem::current_path();
  const std::string folder = t / "a/b/velmar";
  const FileStatus made = enterDataFolder(folder);
  const std::filesystem::path now = std::filesystem::current_path();
  std::filesystem::current_path(before);
  ASSERT_TRUE(made.ok()) << made.message;
  EXPECT_EQ(now, std::filesystem::canonical(folder));
  // A file in the way is reported, and the working folder stays.
  testing::writeBytes(t / "file", "");
  const FileStatus blocked = enterDataFolder(t / "file/velmar");
  EXPECT_FALSE(blocked.ok());
  EXPECT_NE(blocked.message.find("データフォルダー"), std::string::npos);
  EXPECT_EQ(std::filesystem::current_path(), before);
}

// XDG_DATA_HOME naming a file once left the files in the working folder.
TEST(DataFolder, ADataHomeThatIsAFileFallsBackToTheDefaultAndSaysSo) {
  testing::TempFolder t;
  const std::filesystem::path before = std::filesystem::current_path();
  const std::string home = t / "home";
  std::filesystem::create_directories(home);
  testing::writeBytes(t / "xdg", "");
  const FileStatus s = enterChosenDataFolder(home, home, t / "xdg");
  const std::filesystem::path now = std::filesystem::current_path();
  std::filesystem::current_path(before);
  EXPECT_TRUE(s.ok()) << s.message;
  EXPECT_EQ(now, std::filesystem::canonical(home + "/.local/share/velmar"));
  EXPECT_NE(s.message.find(home + "/.local/share/velmar"), std::string::npos) << s.message;
  EXPECT_NE(s.message.find(t / "xdg/velmar"), std::string::npos) << s.message;
}

}  // namespace
}  // namespace velmar
