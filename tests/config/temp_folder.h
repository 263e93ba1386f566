#pragma once
// A private folder for file tests, and ways to make writing into it fail for
// real (the tests run as root, so permissions alone stop nothing).
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace velmar::testing {

class TempFolder {
 public:
  // Throws when the folder cannot be made: a test must stop there rather
  // than go on with files in some other place.
  explicit TempFolder(const std::string& parent = "/tmp") {
    std::string name = parent + "/velmar-test-XXXXXX";
    if (!mkdtemp(name.data()))
      throw std::runtime_error("no test folder in " + parent + ": " + std::strerror(errno));
    path_ = name;
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  // Names in the folder, to see that no temporary file was left behind.
  int entries() const {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(path_),
                                          std::filesystem::directory_iterator()));
  }

 private:
  std::string path_;
};

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// While alive, no file of this process may grow beyond `bytes`: a write
// past it fails as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit l = old_;
    l.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &l);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

 private:
  rlimit old_{};
};

}  // namespace velmar::testing
