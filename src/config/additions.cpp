#include "config/additions.h"

#include <algorithm>
#include <cmath>

#include "engine/numtext.h"

namespace velmar {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool hasBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// A line the store reads as a setting: "key = value", the key not a comment.
bool settingOf(const std::string& line, std::string& key, std::string& value) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  const std::string_view k = trimmed(std::string_view(line).substr(0, eq));
  if (k.empty() || k.front() == '#' || k.front() == ';') return false;
  key = std::string(k);
  value = std::string(trimmed(std::string_view(line).substr(eq + 1)));
  return true;
}

}  // namespace

void AdditionStore::load() { ensureLoaded(); }

void AdditionStore::ensureLoaded() const {
  if (loaded_) return;
  loaded_ = true;
  const TextLines file = readTextFile(path_);
  if (!file.status.ok()) {
    if (file.status.error != FileError::Missing) readStatus_ = file.status;
    return;
  }
  for (const std::string& l : file.lines) {
    Line line;
    if (!settingOf(l, line.key, line.text)) line.text = l;
    lines_.push_back(std::move(line));
  }
}

std::optional<std::string> AdditionStore::get(std::string_view key) const {
  ensureLoaded();
  // The last of a key written twice by hand holds, as it would be read top down.
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it)
    if (it->key == key) return it->text;
  return std::nullopt;
}

bool AdditionStore::set(std::string_view key, std::string_view value) {
  const std::string_view k = trimmed(key);
  if (k.empty() || k != key || k.front() == '#' || k.front() == ';' ||
      k.find('=') != std::string_view::npos || hasBreak(k) || hasBreak(value))
    return false;
  ensureLoaded();
  const std::string v(trimmed(value));
  Line* found = nullptr;
  for (Line& l : lines_)
    if (l.key == k) found = &l;
  if (found) {
    if (found->text == v) return true;
    found->text = v;
  } else {
    lines_.push_back({std::string(k), v});
  }
  dirty_ = true;
  return true;
}

FileStatus AdditionStore::save() {
  ensureLoaded();
  if (!readStatus_.ok())
    return {readStatus_.error, "「" + path_ + "」を読み込めなかったため、書き換えませんでした。\n" +
                                   readStatus_.message};
  if (!dirty_) return {};
  std::vector<std::string> out;
  out.reserve(lines_.size());
  for (const Line& l : lines_) out.push_back(l.key.empty() ? l.text : l.key + " = " + l.text);
  FileStatus status = writeTextFile(path_, out);
  if (status.ok()) dirty_ = false;
  return status;
}

std::optional<WindowPlacement> placementIn(const AdditionStore& store, const std::string& name) {
  double v[4];
  int i = 0;
  for (const char* part : {".top", ".left", ".width", ".height"}) {
    const std::optional<std::string> text = store.get(name + part);
    const std::optional<double> x = text ? parseNumber(*text) : std::nullopt;
    // Twips of any screen there is: a number out of all proportion is not a place.
    if (!x || !(std::fabs(*x) <= 1e7)) return std::nullopt;
    v[i++] = *x;
  }
  if (v[2] < 0 || v[3] < 0) return std::nullopt;
  WindowPlacement p;
  p.top = static_cast<float>(v[0]);
  p.left = static_cast<float>(v[1]);
  p.width = static_cast<float>(v[2]);
  p.height = static_cast<int>(std::lround(v[3]));
  return p;
}

void putPlacement(AdditionStore& store, const std::string& name, const WindowPlacement& p) {
  store.set(name + ".top", formatPlain(p.top));
  store.set(name + ".left", formatPlain(p.left));
  store.set(name + ".width", formatPlain(p.width));
  store.set(name + ".height", formatInt(p.height));
}

WindowPlacement toolWindowPlacement(const AdditionStore& store, const std::string& name,
                                    const ToolWindowSize& size, float screenWidth,
                                    float screenHeight) {
  const float widest = std::max(0.0f, screenWidth - size.frameWidth);
  const float highest = std::max(0.0f, screenHeight - size.frameHeight);
  const std::optional<WindowPlacement> kept = placementIn(store, name);
  WindowPlacement p = kept && kept->top != -1
                          ? *kept
                          : centredPlacement(std::min(size.usualWidth, widest),
                                             std::min(size.usualHeight, highest), screenWidth,
                                             screenHeight - size.frameHeight);
  // Kept on a larger screen: no larger than this one, and on it.
  p.width = std::min(p.width, widest);
  p.height = std::min(p.height, static_cast<int>(highest));
  bringOntoScreen(p, screenWidth, screenHeight);
  return p;
}

}  // namespace velmar
