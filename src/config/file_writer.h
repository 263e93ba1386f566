#pragma once
// How every file the program writes reaches the disk. A save goes to a
// temporary file beside the one it replaces; every write and the final
// flush are checked before the rename, so that a full disk or a failing
// device leaves the old file as it was and no temporary file behind. Only
// a regular file is ever replaced or written into: a symbolic link is
// followed to a regular file or to a name that does not exist yet, and
// anything else (a FIFO, a device, a folder) is refused before it is
// opened. A file whose owner may not write it is not replaced, whoever runs
// the program. A replaced file keeps its permissions, and its owner and
// group where the process may set them (a save as root must not take a
// user's file from them). A hard link to the old file keeps the old
// contents: the save puts a new file under the name.
#include <sys/types.h>

#include <string>
#include <string_view>

#include "config/text_file.h"

namespace velmar {

// The system calls through which the writers put bytes on disk. The
// program uses the system's own; a test puts in one that fails at a chosen
// byte, as a full disk or a broken device would.
class FileLayer {
 public:
  virtual ~FileLayer() = default;
  virtual ssize_t write(int fd, const void* data, size_t size);
  virtual int fsync(int fd);
  virtual int close(int fd);
};

// The layer in force.
FileLayer& fileLayer();

// Puts `layer` in force for its own lifetime.
class ScopedFileLayer {
 public:
  explicit ScopedFileLayer(FileLayer& layer);
  ~ScopedFileLayer();
  ScopedFileLayer(const ScopedFileLayer&) = delete;
  ScopedFileLayer& operator=(const ScopedFileLayer&) = delete;

 private:
  FileLayer* previous_;
};

// The file a save of `path` writes: the end of its chain of symbolic links.
struct SaveTarget {
  std::string path;     // the file that is replaced or created
  bool exists = false;  // a regular file is there now
  mode_t mode = 0;      // its permissions, when it exists
  uid_t owner = 0;      // its owner and group, when it exists
  gid_t group = 0;
};

// Where a save of `path` may go; a refusal (not a regular file, no write
// permission for the owner, a broken chain of links) as a Japanese message
// naming `path`.
FileStatus resolveSaveTarget(const std::string& path, SaveTarget& target);

// A file written whole and then put in place of the old one:
//   AtomicFile f;  if (!f.open(path).ok()) ...;  f.write(...); ...;  f.commit();
// Writes are buffered; the first failure is kept and every later write is
// dropped. Without a successful commit the temporary file is removed and
// the old file stays.
class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  FileStatus open(const std::string& path);
  // False once anything has failed.
  bool write(std::string_view bytes);
  // Flushes, syncs and renames; the reason when any step (or an earlier
  // write) failed.
  FileStatus commit();
  // Gives up: the temporary file goes, the old file stays.
  void discard();
  bool failed() const { return err_ != 0; }
  // The errno of the first failure, 0 while all is well.
  int error() const { return err_; }
  // A file is there now that a commit would replace.
  bool replacesFile() const { return target_.exists; }

 private:
  static constexpr size_t kBufferSize = 64 * 1024;
  bool flush();

  std::string path_;  // as the caller named it, for messages
  SaveTarget target_;
  std::string tmp_;
  std::string buffer_;
  int fd_ = -1;
  int err_ = 0;
};

// Writes `bytes` as the whole new contents of `path`.
FileStatus writeFileAtomically(const std::string& path, std::string_view bytes);

// The message for a save of `path` that failed with `err`.
FileStatus saveFailure(const std::string& path, int err, bool hadFile);

// Opens `path` for a file written a line at a time (the export file), after
// the same checks as a save. The file is locked (an exclusive advisory
// lock, held until the descriptor is closed) and then emptied; every write
// goes to its end, so that a file someone else emptied meanwhile gets no
// hole. -1 with `status` set when it is refused, locked by another writer
// or cannot be opened.
int openForAppending(const std::string& path, FileStatus& status);

// Syncs and closes a file opened by openForAppending: 0, or the errno of
// the first step that failed. The descriptor is closed either way.
int syncAndClose(int fd);

}  // namespace velmar
