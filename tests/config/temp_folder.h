#pragma once
// A private folder for file tests, and ways to make writing into it fail for
// real (the tests run as root, so permissions alone stop nothing).
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>

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
  int entries() const { return entriesOf(path_); }
  static int entriesOf(const std::string& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder),
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

// A FIFO with nothing to read. A reader that waits on it, in this process
// or another, is let go with an end of file, so that a test of code that
// must not wait fails instead of hanging.
class FifoReleaser {
 public:
  explicit FifoReleaser(std::string path) : path_(std::move(path)) {
    if (mkfifo(path_.c_str(), 0644) != 0)
      throw std::runtime_error("no FIFO " + path_ + ": " + std::strerror(errno));
    releaser_ = std::thread([this] {
      while (!done_) {
        // Opens only while someone has the FIFO open for reading.
        const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    });
  }
  ~FifoReleaser() {
    done_ = true;
    releaser_.join();
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::atomic<bool> done_{false};
  std::thread releaser_;
};

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
