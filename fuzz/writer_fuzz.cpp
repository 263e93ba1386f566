// Every writer against a file layer that fails at a fuzzed byte: on a
// failure the old file is as it was, on success it holds the new contents,
// and no temporary file is left either way.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "../tests/config/failing_layer.h"
#include "config/file_writer.h"
#include "config/moon_inf.h"
#include "config/sites.h"
#include "fuzz_input.h"
#include "views/svg.h"

using namespace velmar;

namespace {

std::string readAll(const std::string& path) {
  std::string s;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
  }
  return s;
}

int entries(const std::string& folder) {
  int n = 0;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") ++n;
    ::closedir(d);
  }
  return n;
}

const std::string& folder() {
  static const std::string path = [] {
    std::string p = fuzz::scratchPath() + ".d";
    ::mkdir(p.c_str(), 0700);
    return p;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Byte 0: the writer and the error; bytes 1-3: where the write fails; the
  // rest: the contents.
  if (size < 4) return -1;
  const int writer = data[0] % 4;
  const int err = data[0] & 0x10 ? EIO : ENOSPC;
  const bool failSync = data[0] & 0x20;
  const size_t failAt = static_cast<size_t>(data[1]) | static_cast<size_t>(data[2]) << 8 |
                        static_cast<size_t>(data[3]) << 16;
  const std::string contents(reinterpret_cast<const char*>(data) + 4, size - 4);
  const std::string path = folder() + "/file";
  const std::string old = "old\r\n";
  {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    std::fputs(old.c_str(), f);
    std::fclose(f);
  }

  testing::FailingLayer layer(failAt, err, failSync);
  FileStatus s;
  {
    ScopedFileLayer scoped(layer);
    switch (writer) {
      case 0:
        s = writeFileAtomically(path, contents);
        break;
      case 1:
        s = writeTextFile(path, fuzz::splitLines(contents), TextEncoding::Utf8);
        break;
      case 2: {
        std::vector<std::string> lines;
        for (const std::string& l : fuzz::splitLines(contents))
          if (const auto site = parseSiteLine(l)) lines.push_back(carriedSiteLine(*site));
        s = writeTextFile(path, lines);
        break;
      }
      case 3: {
        SvgSpool spool(100, 100, folder());
        for (unsigned char c : contents) spool.draw(DrawOp::disk(c, c, c, palette::kRed));
        AtomicFile f;
        s = f.open(path);
        if (s.ok()) {
          spool.writeTo([&f](std::string_view b) { return f.write(b); });
          s = f.commit();
        }
        break;
      }
    }
  }
  VELMAR_FUZZ_CHECK(entries(folder()) == 1);
  if (s.error == FileError::Unencodable) {
    VELMAR_FUZZ_CHECK(readAll(path) == old);
  } else if (!s.ok()) {
    VELMAR_FUZZ_CHECK(s.error == FileError::Unwritable);
    VELMAR_FUZZ_CHECK(failSync || layer.written() >= failAt);
    VELMAR_FUZZ_CHECK(readAll(path) == old);
  } else {
    VELMAR_FUZZ_CHECK(!failSync);
    if (writer == 0) VELMAR_FUZZ_CHECK(readAll(path) == contents);
  }
  return 0;
}
