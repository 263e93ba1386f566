#pragma once
// The preferences of what the program adds to the settings of moon.inf
// (that file keeps its fifteen lines and knows nothing of them): one
// "key = value" a line, in their own small file in the data folder,
// Shift-JIS with CR LF like the other files, rewritten atomically.
//
// Lines the store does not understand (a comment, a line without "=")
// stay as they are when the file is written again; a key set anew takes
// the place of its line, a new key goes at the end.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/moon_inf.h"
#include "config/text_file.h"

namespace velmar {

inline constexpr const char* kAdditionsFileName = "velmar-additions.ini";

class AdditionStore {
 public:
  explicit AdditionStore(std::string path = kAdditionsFileName) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // Reads the file once, on the first get or set (or now). A missing file is
  // an empty store. A file that cannot be read or decoded leaves the store
  // empty and is never written over (save then says why), so that nothing
  // the user keeps there is lost.
  void load();

  std::optional<std::string> get(std::string_view key) const;
  // False, and nothing set, for a key that is empty, holds "=" or a line
  // break, or starts with "#" or ";", and for a value with a line break.
  bool set(std::string_view key, std::string_view value);

  // Writes the whole file when something was set since it was read.
  FileStatus save();

 private:
  struct Line {
    std::string key;   // empty: a line kept as it stands
    std::string text;  // the value, or the whole line
  };
  void ensureLoaded() const;

  std::string path_;
  mutable bool loaded_ = false;
  mutable FileStatus readStatus_;
  mutable std::vector<Line> lines_;
  bool dirty_ = false;
};

// A window's placement under "name.top", "name.left", "name.width" and
// "name.height", in twips like the placements of moon.inf. Empty when the
// store holds no whole placement for it.
std::optional<WindowPlacement> placementIn(const AdditionStore& store, const std::string& name);
void putPlacement(AdditionStore& store, const std::string& name, const WindowPlacement& p);

// Where a tool window of the additions opens on a screen of the given size
// (twips): where it was last, or centred at its usual size; never larger
// than the screen less the window system's frame, and on it.
struct ToolWindowSize {
  float usualWidth, usualHeight;  // inside the frame
  float frameWidth, frameHeight;  // what the window system adds around it
};
WindowPlacement toolWindowPlacement(const AdditionStore& store, const std::string& name,
                                    const ToolWindowSize& size, float screenWidth,
                                    float screenHeight);

}  // namespace velmar
