#pragma once
// A file layer that fails as a full disk or a broken device does: every
// write succeeds until `failAt` bytes have gone through, then the write
// that would pass that byte fails with `err` (after writing what fits, as
// the system does). Also the final sync, or the close, can be made to fail.
#include <cerrno>
#include <cstddef>

#include "config/file_writer.h"

namespace velmar::testing {

class FailingLayer : public FileLayer {
 public:
  FailingLayer(size_t failAt, int err, bool failSync = false, bool failClose = false)
      : failAt_(failAt), err_(err), failSync_(failSync), failClose_(failClose) {}

  ssize_t write(int fd, const void* data, size_t size) override {
    if (written_ >= failAt_) {
      errno = err_;
      return -1;
    }
    const size_t n = size < failAt_ - written_ ? size : failAt_ - written_;
    const ssize_t done = FileLayer::write(fd, data, n);
    if (done > 0) written_ += static_cast<size_t>(done);
    return done;
  }
  int fsync(int fd) override {
    if (failSync_) {
      errno = err_;
      return -1;
    }
    return FileLayer::fsync(fd);
  }
  // Closed all the same, as the system does.
  int close(int fd) override {
    const int done = FileLayer::close(fd);
    if (failClose_ && done == 0) {
      errno = err_;
      return -1;
    }
    return done;
  }
  size_t written() const { return written_; }

 private:
  size_t failAt_;
  int err_;
  bool failSync_;
  bool failClose_;
  size_t written_ = 0;
};

}  // namespace velmar::testing
