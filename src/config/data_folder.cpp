#include "config/data_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace velmar {

namespace {

bool isFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool sameFolder(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return a == b;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string join(const std::string& folder, const char* name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

std::string chooseDataFolder(const std::string& current, const std::string& home,
                             const std::string& dataHome) {
  const bool holdsFiles = isFile(join(current, "moon.inf")) || isFile(join(current, "sokuti.dat"));
  if (!current.empty() && holdsFiles && !sameFolder(current, home)) return current;
  // A relative XDG_DATA_HOME is to be ignored, as the base directory rules say.
  const std::string base =
      !dataHome.empty() && dataHome[0] == '/' ? dataHome : join(home, ".local/share");
  return join(base, "velmar");
}

FileStatus enterDataFolder(const std::string& folder) {
  // Each missing parent in turn, as mkdir -p does.
  for (size_t at = 1; at <= folder.size(); ++at) {
    if (at != folder.size() && folder[at] != '/') continue;
    const std::string part = folder.substr(0, at);
    if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
      const int err = errno;
      return {FileError::Unwritable,
              "データフォルダー「" + folder + "」を作れませんでした。\n" + errorReason(err)};
    }
  }
  if (::chdir(folder.c_str()) != 0) {
    const int err = errno;
    return {FileError::Unreadable,
            "データフォルダー「" + folder + "」に移れませんでした。\n" + errorReason(err)};
  }
  return {};
}

FileStatus enterChosenDataFolder(const std::string& current, const std::string& home,
                                 const std::string& dataHome) {
  const std::string chosen = chooseDataFolder(current, home, dataHome);
  const FileStatus entered = enterDataFolder(chosen);
  if (entered.ok()) return entered;
  // XDG_DATA_HOME naming a file (or a folder that cannot be made) would
  // leave the files in whatever folder the program was started from.
  const std::string fallback = chooseDataFolder(current, home, "");
  if (fallback == chosen) return entered;
  const FileStatus second = enterDataFolder(fallback);
  if (!second.ok()) return second;
  return {FileError::None, entered.message + "\n代わりに「" + fallback + "」を使います。"};
}

FileStatus enterChosenDataFolder() {
  char buf[4096];
  const std::string current = ::getcwd(buf, sizeof buf) ? buf : "";
  const char* home = std::getenv("HOME");
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (!home || !*home) {
    // Nowhere to put a data folder: the working folder it is.
    return {};
  }
  return enterChosenDataFolder(current, home, dataHome ? dataHome : "");
}

}  // namespace velmar
