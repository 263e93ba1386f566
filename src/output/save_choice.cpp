#include "output/save_choice.h"

#include <sys/stat.h>

#include <cstdlib>

#include "config/text_file.h"

namespace velmar {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWithIgnoringCase(const std::string& s, const std::string& tail) {
  if (s.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i)
    if (lower(s[s.size() - tail.size() + i]) != lower(tail[i])) return false;
  return true;
}

bool isFolder(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string& lastFolder() {
  static std::string folder;
  return folder;
}

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// ".csv" from "*.csv"; empty for a pattern without one.
std::string extensionOf(const FileFilter& f) {
  const size_t dot = f.pattern.rfind('.');
  return dot == std::string::npos ? std::string() : f.pattern.substr(dot);
}

}  // namespace

std::string documentsFolder(const std::string& home, const std::string& configHome) {
  const std::string config =
      !configHome.empty() && configHome[0] == '/' ? configHome : home + "/.config";
  // The line the desktop writes: XDG_DOCUMENTS_DIR="$HOME/文書"
  for (const std::string& line : readTextFile(config + "/user-dirs.dirs").lines) {
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"') continue;
    std::string value = line.substr(key.size(), line.size() - key.size() - 1);
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    // The desktop's way of saying "none": the home folder itself.
    if (!value.empty() && value[0] == '/' && isFolder(value)) return value;
  }
  if (isFolder(home + "/Documents")) return home + "/Documents";
  return home;
}

std::string documentsFolder() {
  const std::string home = env("HOME");
  if (home.empty()) return ".";
  return documentsFolder(home, env("XDG_CONFIG_HOME"));
}

std::string saveFolder() {
  if (isFolder(lastFolder())) return lastFolder();
  return documentsFolder();
}

void rememberSaveFolder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return;
  lastFolder() = slash == 0 ? "/" : path.substr(0, slash);
}

std::string offeredPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  const std::string folder = saveFolder();
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

SaveName saveName(const FileChoice& choice, const std::vector<FileFilter>& filters) {
  for (size_t i = 0; i < filters.size(); ++i) {
    const std::string ext = extensionOf(filters[i]);
    if (!ext.empty() && endsWithIgnoringCase(choice.path, ext))
      return {choice.path, static_cast<int>(i), false};
  }
  const int picked =
      choice.filter >= 0 && choice.filter < static_cast<int>(filters.size()) ? choice.filter : 0;
  const std::string ext = filters.empty() ? std::string() : extensionOf(filters[picked]);
  return {choice.path + ext, picked, !ext.empty()};
}

bool mayReplaceExtended(UiPort& ui, const std::string& title, const SaveName& name) {
  struct stat st;
  if (!name.extended || ::lstat(name.path.c_str(), &st) != 0) return true;
  return ui.askYesNo(title, "「" + name.path + "」は既にあります。\r置き換えますか？");
}

}  // namespace velmar
