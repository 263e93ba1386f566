#include "config/text_file.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>

#include <atomic>

#include "config/temp_folder.h"

namespace {
std::atomic<int> iconvOpens{0};
std::atomic<int> umaskCalls{0};
}  // namespace

// Every iconv_open and umask of the test program passes through here and
// is counted.
extern "C" iconv_t iconv_open(const char* to, const char* from) {
  using Open = iconv_t (*)(const char*, const char*);
  static const Open real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "iconv_open"));
  ++iconvOpens;
  return real(to, from);
}

extern "C" mode_t umask(mode_t mask) noexcept {
  using Umask = mode_t (*)(mode_t);
  static const Umask real = reinterpret_cast<Umask>(dlsym(RTLD_NEXT, "umask"));
  ++umaskCalls;
  return real(mask);
}

namespace velmar {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += "[" + l + "]";
  return s;
}

TEST(TextFile, ReadsShiftJisWithAnyLineEnd) {
  struct Row {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"lone CR", "a\rb\r", {"a", "b"}},
      {"no end on the last line", "a\r\nb", {"a", "b"}},
      {"empty lines count", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"empty file", "", {}},
      {"kanji", "\x93\x8c\x8b\x9e\r\n", {"東京"}},
      {"half-width katakana", "\xb1\xb8\xbc\xae\xdd", {"ｱｸｼｮﾝ"}},
      // 0x5C as a trail byte is part of the kanji, not a backslash.
      {"trail byte 0x5C", "\x95\x5c\\", {"表\\"}},
  };
  TempFolder dir;
  for (const Row& r : rows) {
    writeBytes(dir / "f.txt", r.bytes);
    const TextLines t = readTextFile(dir / "f.txt");
    EXPECT_TRUE(t.status.ok()) << r.name << ": " << t.status.message;
    EXPECT_EQ(joined(t.lines), joined(r.lines)) << r.name;
  }
}

TEST(TextFile, RewritesCp932WithCrLfKeepingPermissions) {
  TempFolder dir;
  writeBytes(dir / "f.txt", "old\r\n");
  chmod((dir / "f.txt").c_str(), 0640);
  const std::vector<std::string> lines = {"東京, 35.6895 ,", "ｱ表\\", ""};
  ASSERT_TRUE(writeTextFile(dir / "f.txt", lines).ok());
  EXPECT_EQ(readBytes(dir / "f.txt"), "\x93\x8c\x8b\x9e, 35.6895 ,\r\n\xb1\x95\x5c\\\r\n\r\n");
  EXPECT_EQ(joined(readTextFile(dir / "f.txt").lines), joined(lines));
  EXPECT_EQ(dir.entries(), 1);  // no temporary file left
  struct stat st;
  ASSERT_EQ(stat((dir / "f.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// The umask belongs to the whole process, whose other threads may be
// creating files at the same moment: saving leaves it alone.
TEST(TextFile, NewFileTakesTheUmaskWithoutChangingIt) {
  TempFolder dir;
  const mode_t old = umask(027);
  const int before = umaskCalls;
  const FileStatus saved = writeTextFile(dir / "new.txt", {"a"});
  const int calls = umaskCalls - before;
  umask(old);
  ASSERT_TRUE(saved.ok()) << saved.message;
  EXPECT_EQ(calls, 0);
  struct stat st;
  ASSERT_EQ(stat((dir / "new.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// A link stays a link: the file it names, wherever it lies, gets the new
// contents.
TEST(TextFile, RewritesTheFileASymbolicLinkNames) {
  namespace fs = std::filesystem;
  TempFolder dir;
  fs::create_directory(dir / "real");
  writeBytes(dir / "real/sokuti.dat", "old\r\n");
  chmod((dir / "real/sokuti.dat").c_str(), 0640);
  // Relative targets count from the link's own folder.
  fs::create_symlink("sokuti.dat", dir / "real/alias");
  fs::create_symlink("real/alias", dir / "chain");
  fs::create_symlink(dir / "real/moon.inf", dir / "dangling");
  fs::create_symlink("loop", dir / "loop");

  ASSERT_TRUE(writeTextFile(dir / "chain", {"new"}).ok());
  EXPECT_EQ(readBytes(dir / "real/sokuti.dat"), "new\r\n");
  struct stat st;
  ASSERT_EQ(stat((dir / "real/sokuti.dat").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  ASSERT_TRUE(writeTextFile(dir / "dangling", {"x"}).ok());
  EXPECT_EQ(readBytes(dir / "real/moon.inf"), "x\r\n");
  const FileStatus loop = writeTextFile(dir / "loop", {"y"});
  EXPECT_EQ(loop.error, FileError::Unwritable);
  EXPECT_NE(loop.message.find("「" + dir / "loop" + "」"), std::string::npos) << loop.message;

  for (const char* link : {"real/alias", "chain", "dangling", "loop"})
    EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
  EXPECT_EQ(dir.entries(), 4);  // no temporary file left
  EXPECT_EQ(TempFolder::entriesOf(dir / "real"), 3);
}

TEST(TextFile, FailuresComeBackAsValuesWithJapaneseMessages) {
  TempFolder dir;
  writeBytes(dir / "bad.txt", "ok\r\n\x81\r\n");  // a lead byte with no trail byte
  std::filesystem::create_directory(dir / "folder");
  writeBytes(dir / "plain", "x");
  struct Row {
    const char* name;
    FileStatus status;
    FileError error;
    const char* inMessage;
  };
  const Row rows[] = {
      {"missing", readTextFile(dir / "none.txt").status, FileError::Missing, "見つかりません"},
      {"folder read", readTextFile(dir / "folder").status, FileError::Unreadable, "読み込めません"},
      {"bad bytes", readTextFile(dir / "bad.txt").status, FileError::Undecodable, "2 行目"},
      {"not in CP932", writeTextFile(dir / "w.txt", {"ok", "café"}), FileError::Unencodable,
       "「é」"},
      {"line break", writeTextFile(dir / "w.txt", {"a\nb"}), FileError::Unencodable, "改行"},
      {"folder is a file", writeTextFile(dir / "plain/w.txt", {"a"}), FileError::Unwritable,
       "フォルダーがありません"},
      {"target is a folder", writeTextFile(dir / "folder", {"a"}), FileError::Unwritable,
       "同じ名前のフォルダー"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.status.error, r.error) << r.name << ": " << r.status.message;
    EXPECT_NE(r.status.message.find(r.inMessage), std::string::npos)
        << r.name << ": expected \"" << r.inMessage << "\" in \"" << r.status.message << "\"";
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "w.txt"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
  EXPECT_EQ(dir.entries(), 3);  // no temporary file left
}

TEST(TextFile, ReadsOnlyRegularFilesUpToSixteenMegabytes) {
  TempFolder dir;
  testing::FifoReleaser fifo(dir / "fifo");
  writeBytes(dir / "limit", std::string(kMaxTextFileBytes, 'a'));
  writeBytes(dir / "over", std::string(kMaxTextFileBytes + 1, 'a'));
  struct Row {
    std::string path;
    const char* inMessage;
  };
  const Row rows[] = {
      {fifo.path(), "通常のファイルではない"},
      {"/dev/null", "通常のファイルではない"},
      {dir / "over", "16 MB"},
  };
  for (const Row& r : rows) {
    const TextLines t = readTextFile(r.path);
    EXPECT_EQ(t.status.error, FileError::Unreadable) << r.path;
    EXPECT_TRUE(t.lines.empty()) << r.path;
    EXPECT_NE(t.status.message.find("「" + r.path + "」"), std::string::npos) << t.status.message;
    EXPECT_NE(t.status.message.find(r.inMessage), std::string::npos) << t.status.message;
  }
  const TextLines limit = readTextFile(dir / "limit");
  EXPECT_TRUE(limit.status.ok()) << limit.status.message;
  EXPECT_EQ(limit.lines.size(), 1u);
}

// A file written a line per timer tick must not open iconv for each line.
TEST(TextFile, ConversionsReuseTheirIconvHandles) {
  TempFolder dir;
  toCp932("");  // the first use in a thread may open them
  fromCp932("");
  const int before = iconvOpens;
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(toCp932("東京"), "\x93\x8c\x8b\x9e");
    EXPECT_EQ(fromCp932("\x93\x8c\x8b\x9e"), "東京");
  }
  ASSERT_TRUE(writeTextFile(dir / "f.txt", {"東京", "大阪"}).ok());
  EXPECT_EQ(joined(readTextFile(dir / "f.txt").lines), "[東京][大阪]");
  EXPECT_EQ(iconvOpens - before, 0);

  Cp932Converter c;
  for (int i = 0; i < 50; ++i) EXPECT_EQ(c.decode(*c.encode("ｱ表\\")), "ｱ表\\");
  std::string bad;
  EXPECT_FALSE(c.encode("café", &bad));
  EXPECT_EQ(bad, "é");
  EXPECT_EQ(c.encode("ok"), "ok");  // a failure leaves no state behind
  EXPECT_FALSE(c.decode("\x81"));
  EXPECT_EQ(c.decode("ok"), "ok");
  EXPECT_EQ(iconvOpens - before, 2);
}

TEST(TempFolder, StopsTheTestWhenNoFolderCanBeMade) {
  EXPECT_THROW(TempFolder("/nonexistent-velmar-parent"), std::runtime_error);
}

}  // namespace
}  // namespace velmar
