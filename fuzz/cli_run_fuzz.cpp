// velmar-cli end to end: any arguments (one a line), with every output
// option writing into a scratch folder, end with status 0, 1 or 2 and leave
// no temporary file behind.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "fuzz_input.h"

#define main velmarCliMain
#include "../src/cli/main.cpp"
#undef main

namespace {

const std::string& folder() {
  static const std::string path = [] {
    std::string p = velmar::fuzz::scratchPath() + ".d";
    ::mkdir(p.c_str(), 0700);
    return p;
  }();
  return path;
}

// Removes what the run wrote; true when nothing was a temporary file.
bool emptyFolder() {
  bool clean = true;
  if (DIR* d = ::opendir(folder().c_str())) {
    while (dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      // A temporary file is named after its file with a leading dot.
      if (name[0] == '.') clean = false;
      std::remove((folder() + "/" + name).c_str());
    }
    ::closedir(d);
  }
  return clean;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (::chdir(folder().c_str()) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args =
      velmar::fuzz::splitLines(std::string_view(reinterpret_cast<const char*>(data), size));
  if (args.size() > 40) return -1;
  for (size_t i = 0; i < args.size(); ++i) {
    // Files stay in the scratch folder, and runs stay short.
    if (args[i].find('/') != std::string::npos || args[i].find('\0') != std::string::npos)
      return -1;
    // Names with a leading dot are the writers' temporary files.
    if (args[i].rfind(".", 0) == 0 || args[i].find("=.") != std::string::npos) return -1;
    if (args[i] == "--count" && i + 1 < args.size() &&
        (args[i + 1].size() > 2 || std::atoi(args[i + 1].c_str()) > 40))
      return -1;
  }
  std::vector<char*> argv;
  std::string name = "velmar-cli";
  argv.push_back(name.data());
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::ostringstream out, err;
  std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
  std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
  const int status = velmarCliMain(static_cast<int>(args.size() + 1), argv.data());
  std::cout.rdbuf(oldOut);
  std::cerr.rdbuf(oldErr);

  VELMAR_FUZZ_CHECK(status == 0 || status == 1 || status == 2);
  VELMAR_FUZZ_CHECK(status == 0 || !err.str().empty());
  VELMAR_FUZZ_CHECK(emptyFolder());
  return 0;
}
