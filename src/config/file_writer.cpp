#include "config/file_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace velmar {

namespace {

FileLayer& systemLayer() {
  static FileLayer layer;
  return layer;
}

FileLayer* currentLayer = nullptr;

std::string quoted(const std::string& path) { return "「" + path + "」"; }

// The end of the chain of symbolic links that starts at `path` (the path
// itself when it is no link). The end need not exist: a dangling link
// names the file to create. Empty, with `err` set, when the chain cannot be
// followed.
std::string linkTarget(const std::string& path, int& err) {
  constexpr int kMaxLinks = 40;  // as the kernel allows
  std::string target = path;
  for (int followed = 0;; ++followed) {
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    if (followed == kMaxLinks) {
      err = ELOOP;
      return {};
    }
    std::string to(256, '\0');
    for (;;) {
      const ssize_t n = ::readlink(target.c_str(), to.data(), to.size());
      if (n < 0) {
        err = errno;
        return {};
      }
      if (static_cast<size_t>(n) < to.size()) {
        to.resize(static_cast<size_t>(n));
        break;
      }
      to.resize(to.size() * 2);  // may have been cut short
    }
    // A relative target counts from the folder the link is in.
    if (!to.empty() && to[0] != '/') to = target.substr(0, target.find_last_of('/') + 1) + to;
    target = std::move(to);
  }
}

// Creates a file of a new name starting with `prefix`, open for writing,
// and returns its descriptor (-1 with errno set when none could be made).
// Its mode is 0666 less the umask, applied by the kernel: reading the umask
// would mean changing it for every thread of the process.
int createTemporary(const std::string& prefix, std::string& name) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = prefix;
    for (int i = 0; i < 8; ++i) name += kLetters[pick(random)];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

FileStatus notRegular(const std::string& path) {
  return {FileError::Unwritable, quoted(path) + "は通常のファイルではないため、書き込みません。"};
}

FileStatus readOnly(const std::string& path) {
  return {FileError::Unwritable,
          quoted(path) + "は書き換えが許可されていないため、保存しませんでした。"};
}

}  // namespace

ssize_t FileLayer::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

int FileLayer::fsync(int fd) { return ::fsync(fd); }

int FileLayer::close(int fd) { return ::close(fd); }

FileLayer& fileLayer() { return currentLayer ? *currentLayer : systemLayer(); }

ScopedFileLayer::ScopedFileLayer(FileLayer& layer) : previous_(currentLayer) {
  currentLayer = &layer;
}

ScopedFileLayer::~ScopedFileLayer() { currentLayer = previous_; }

FileStatus saveFailure(const std::string& path, int err, bool hadFile) {
  std::string m = quoted(path) + "を保存できませんでした。\n" + errorReason(err);
  if (hadFile) m += "\n元のファイルは変更されていません。";
  return {FileError::Unwritable, m};
}

FileStatus resolveSaveTarget(const std::string& path, SaveTarget& target) {
  target = SaveTarget{};
  int err = 0;
  target.path = linkTarget(path, err);
  if (target.path.empty()) return saveFailure(path, err, false);
  struct stat st;
  if (::stat(target.path.c_str(), &st) != 0) {
    // Nothing there yet: the save creates it (a missing folder shows when
    // the temporary file is made).
    return {};
  }
  if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? saveFailure(path, EISDIR, false)
                                                       : notRegular(path);
  target.exists = true;
  target.mode = st.st_mode;
  target.owner = st.st_uid;
  target.group = st.st_gid;
  // Root passes every access check and a rename replaces a read-only file
  // in a writable folder: the owner's permission is what the user set.
  if ((st.st_mode & S_IWUSR) == 0 || ::access(target.path.c_str(), W_OK) != 0)
    return readOnly(path);
  return {};
}

AtomicFile::~AtomicFile() { discard(); }

FileStatus AtomicFile::open(const std::string& path) {
  discard();
  path_ = path;
  err_ = 0;
  FileStatus s = resolveSaveTarget(path, target_);
  if (!s.ok()) {
    err_ = EPERM;
    return s;
  }
  fd_ = createTemporary(folderOf(target_.path) + "/." + baseOf(target_.path) + ".", tmp_);
  if (fd_ < 0) {
    err_ = errno;
    tmp_.clear();
    return saveFailure(path, err_, target_.exists);
  }
  // The new file keeps the old one's owner and group where this process
  // may give them (root may; a user may give a group they belong to).
  // Before the permissions: a change of owner clears set-user-ID bits.
  if (target_.exists && (target_.owner != ::geteuid() || target_.group != ::getegid()) &&
      ::fchown(fd_, target_.owner, target_.group) != 0) {
    const int kept = ::fchown(fd_, static_cast<uid_t>(-1), target_.group);
    static_cast<void>(kept);  // not permitted: the file is this user's, as any new one
  }
  // The new file keeps the old one's permissions; a first file got the
  // usual ones from the umask when it was created.
  if (target_.exists && ::fchmod(fd_, target_.mode & 07777) != 0) {
    err_ = errno;
    FileStatus failed = saveFailure(path, err_, true);
    discard();
    return failed;
  }
  buffer_.reserve(kBufferSize);
  return {};
}

bool AtomicFile::write(std::string_view bytes) {
  if (fd_ < 0 || err_ != 0) return false;
  if (buffer_.size() + bytes.size() > kBufferSize && !flush()) return false;
  if (bytes.size() >= kBufferSize) {
    if (!writeAll(fd_, bytes)) {
      err_ = errno;
      return false;
    }
    return true;
  }
  buffer_.append(bytes);
  return true;
}

bool AtomicFile::flush() {
  if (err_ != 0) return false;
  if (!buffer_.empty() && !writeAll(fd_, buffer_)) {
    err_ = errno;
    return false;
  }
  buffer_.clear();
  return true;
}

FileStatus AtomicFile::commit() {
  if (fd_ < 0 && err_ == 0) err_ = EBADF;
  if (err_ == 0 && flush() && fileLayer().fsync(fd_) != 0) err_ = errno;
  if (fd_ >= 0 && fileLayer().close(fd_) != 0 && err_ == 0) err_ = errno;
  fd_ = -1;
  if (err_ == 0 && ::rename(tmp_.c_str(), target_.path.c_str()) != 0) err_ = errno;
  if (err_ != 0) {
    const int err = err_;
    discard();
    err_ = err;
    return saveFailure(path_, err, target_.exists);
  }
  tmp_.clear();
  // The rename itself is durable only once the folder is synced.
  const int dfd = ::open(folderOf(target_.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return {};
}

void AtomicFile::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!tmp_.empty()) ::unlink(tmp_.c_str());
  tmp_.clear();
  buffer_.clear();
}

FileStatus writeFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFile f;
  FileStatus s = f.open(path);
  if (!s.ok()) return s;
  f.write(bytes);
  return f.commit();
}

int openForAppending(const std::string& path, FileStatus& status) {
  SaveTarget target;
  status = resolveSaveTarget(path, target);
  if (!status.ok()) return -1;
  // Without waiting: should a FIFO have taken the name's place since it was
  // looked at, the open must not hang until something reads it.
  const int fd = ::open(target.path.c_str(),
                        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int err = errno;
    status = err == ENXIO || err == ELOOP ? notRegular(path)
                                          : FileStatus{FileError::Unwritable,
                                                       quoted(path) + "を作成できませんでした。\n" +
                                                           errorReason(err)};
    return -1;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    status = notRegular(path);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  // Two writers of one file would splice their lines: the one that comes
  // second is refused, before it empties what the first has written.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd);
    status =
        err == EWOULDBLOCK
            ? FileStatus{FileError::Unwritable,
                         quoted(path) + "には別のプログラムが書き込み中のため、書き込みません。"}
            : FileStatus{FileError::Unwritable,
                         quoted(path) + "を作成できませんでした。\n" + errorReason(err)};
    return -1;
  }
  // Every switching on starts the file anew.
  if (::ftruncate(fd, 0) != 0) {
    const int err = errno;
    ::close(fd);
    status = {FileError::Unwritable, quoted(path) + "を作成できませんでした。\n" + errorReason(err)};
    return -1;
  }
  return fd;
}

int syncAndClose(int fd) {
  int err = fileLayer().fsync(fd) != 0 ? errno : 0;
  if (fileLayer().close(fd) != 0 && err == 0) err = errno;
  return err;
}

}  // namespace velmar
