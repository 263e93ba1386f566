#pragma once
// What the fuzz targets share: cutting the input into lines or words, and a
// file to hand it to the readers that take a path.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace velmar::fuzz {

// The line ends the program's files may have: CR LF, LF and a lone CR.
inline std::vector<std::string> splitLines(std::string_view s) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\r' && s[i] != '\n') continue;
    lines.emplace_back(s.substr(start, i - start));
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < s.size()) lines.emplace_back(s.substr(start));
  return lines;
}

inline std::vector<std::string> splitWords(std::string_view s, char sep) {
  std::vector<std::string> words(1);
  for (char c : s) {
    if (c == sep)
      words.emplace_back();
    else
      words.back() += c;
  }
  return words;
}

// One file per process, rewritten for every input; libFuzzer runs its jobs
// as separate processes, so they never share it.
inline const std::string& scratchPath() {
  static const std::string path = [] {
    const char* dir = std::getenv("TMPDIR");
    std::string p = std::string(dir && *dir ? dir : "/tmp") + "/velmar_fuzz_XXXXXX";
    const int fd = mkstemp(p.data());
    if (fd < 0) std::abort();
    close(fd);
    return p;
  }();
  static const bool removedAtExit = std::atexit([] { std::remove(scratchPath().c_str()); }) == 0;
  (void)removedAtExit;
  return path;
}

inline const std::string& writeScratch(const uint8_t* data, size_t size) {
  const std::string& path = scratchPath();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) std::abort();
  return path;
}

// A fault the sanitizers cannot see: a broken promise of the code under test.
#define VELMAR_FUZZ_CHECK(cond)                                                       \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "%s:%d: promise broken: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)

}  // namespace velmar::fuzz
