// Every writer of the program under faults: a write or the final sync that
// fails, a name that is no regular file, a file its owner may not write.
#include "config/file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <functional>

#include "config/failing_layer.h"
#include "config/moon_inf.h"
#include "config/temp_folder.h"
#include "views/svg.h"

namespace velmar {
namespace {

using testing::FailingLayer;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

struct Writer {
  const char* name;
  std::function<FileStatus(const std::string&)> write;
};

// The writers that replace a file whole, each with contents long enough to
// fail in the middle of.
std::vector<Writer> writers() {
  std::vector<std::string> lines;
  for (int i = 0; i < 2000; ++i) lines.push_back("東京," + std::to_string(i) + " ,139.7 ,0 ");
  return {
      {"sokuti.dat", [lines](const std::string& p) { return writeTextFile(p, lines); }},
      {"UTF-8 text",
       [lines](const std::string& p) { return writeTextFile(p, lines, TextEncoding::Utf8Bom); }},
      {"moon.inf",
       [](const std::string& p) {
         FormModel form;
         Placements places;
         applyInf(defaultInfValues(), form, places);
         return writeInfFile(p, form, places);
       }},
      {"whole bytes",
       [](const std::string& p) { return writeFileAtomically(p, std::string(200000, 'x')); }},
      {"SVG spooled",
       [](const std::string& p) {
         SvgSpool spool(100, 100, "/tmp");
         for (int i = 0; i < 3000; ++i) spool.draw(DrawOp::line(i, 0, 0, i, palette::kRed));
         AtomicFile f;
         FileStatus s = f.open(p);
         if (!s.ok()) return s;
         spool.writeTo([&f](std::string_view b) { return f.write(b); });
         return f.commit();
       }},
  };
}

TEST(FileWriter, AFailedWriteOrSyncLeavesTheOldFileAndNoTemporary) {
  TempFolder dir;
  const std::string path = dir / "file";
  const std::string old = "old contents\r\n";
  for (const Writer& w : writers()) {
    for (int err : {ENOSPC, EIO}) {
      // Before the first byte, inside the first buffer, past it, at the sync.
      for (size_t failAt : {size_t{0}, size_t{1}, size_t{4000}, size_t{70000}, size_t{1} << 40}) {
        const bool atSync = failAt == size_t{1} << 40;
        writeBytes(path, old);
        FailingLayer layer(failAt, err, atSync);
        FileStatus s;
        {
          ScopedFileLayer scoped(layer);
          s = w.write(path);
        }
        const std::string where = std::string(w.name) + " failing at " + std::to_string(failAt);
        if (!atSync && layer.written() < failAt) {
          // Shorter than the fault: written whole.
          EXPECT_TRUE(s.ok()) << where << ": " << s.message;
          continue;
        }
        EXPECT_EQ(s.error, FileError::Unwritable) << where;
        EXPECT_NE(s.message.find(errorReason(err)), std::string::npos) << where << ": " << s.message;
        EXPECT_NE(s.message.find("元のファイルは変更されていません"), std::string::npos) << s.message;
        EXPECT_EQ(readBytes(path), old) << where;
        EXPECT_EQ(dir.entries(), 1) << where << ": a temporary file was left";
      }
    }
  }
}

// As root a link to /dev/zero once replaced /dev/zero itself. Private nodes
// stand in for the system's.
TEST(FileWriter, NothingButARegularFileIsReplacedOrWrittenInto) {
  namespace fs = std::filesystem;
  TempFolder dir;
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
  fs::create_symlink(dir / "fifo", dir / "to-fifo");
  fs::create_directory(dir / "folder");
  fs::create_symlink("folder", dir / "to-folder");
  std::vector<std::string> names = {"fifo", "to-fifo", "folder", "to-folder"};
  // The null device's numbers: nothing happens should it be written.
  const bool device = mknod((dir / "device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  if (device) {
    fs::create_symlink(dir / "device", dir / "to-device");
    names.insert(names.end(), {"device", "to-device"});
  }
  const int entries = dir.entries();
  for (const std::string& name : names) {
    const std::string path = dir / name;
    const fs::file_type before = fs::status(path).type();
    for (const Writer& w : writers()) {
      const FileStatus s = w.write(path);
      EXPECT_EQ(s.error, FileError::Unwritable) << name << " by " << w.name;
      EXPECT_NE(s.message.find("「" + path + "」"), std::string::npos) << s.message;
      EXPECT_EQ(fs::status(path).type(), before) << name << " by " << w.name;
    }
    FileStatus appending;
    EXPECT_EQ(openForAppending(path, appending), -1) << name;
    EXPECT_FALSE(appending.ok()) << name;
    EXPECT_EQ(fs::status(path).type(), before) << name;
  }
  EXPECT_EQ(dir.entries(), entries) << "a temporary file was left";
  if (!device) GTEST_SKIP() << "no device node could be made (not root): FIFOs and folders only";
}

// Root may write anything; a file made read-only is kept all the same.
TEST(FileWriter, AFileItsOwnerMayNotWriteIsNotReplaced) {
  TempFolder dir;
  const std::string path = dir / "kept";
  std::filesystem::create_symlink("kept", dir / "link");
  for (const std::string& name : {path, dir / "link"}) {
    for (const Writer& w : writers()) {
      writeBytes(path, "mine\r\n");
      chmod(path.c_str(), 0444);
      const FileStatus s = w.write(name);
      EXPECT_EQ(s.error, FileError::Unwritable) << w.name;
      EXPECT_NE(s.message.find("書き換えが許可されていない"), std::string::npos) << s.message;
      EXPECT_EQ(readBytes(path), "mine\r\n") << w.name;
    }
    FileStatus appending;
    EXPECT_EQ(openForAppending(name, appending), -1);
    EXPECT_EQ(readBytes(path), "mine\r\n");
    chmod(path.c_str(), 0644);
  }
  EXPECT_EQ(dir.entries(), 2);
}

// Run as root, a save replaced a user's file with one of root's that its
// owner could not read.
TEST(FileWriter, ASaveAsRootKeepsTheOwnerAndGroupOfTheReplacedFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  TempFolder dir;
  const std::string path = dir / "theirs";
  for (const Writer& w : writers()) {
    writeBytes(path, "old\r\n");
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(w.write(path).ok()) << w.name;
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u) << w.name;
    EXPECT_EQ(st.st_gid, 4322u) << w.name;
    EXPECT_EQ(st.st_mode & 07777, 0640u) << w.name;
  }
}

}  // namespace
}  // namespace velmar
