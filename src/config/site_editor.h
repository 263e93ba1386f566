#pragma once
// The site editor (siteEditor) "測地ｴﾃﾞｨﾀ" without its window: the four edit
// fields, the list of sites, the chosen action and what 適用 and キャンセル
// do. The dialog only mirrors this and forwards the user's input.
#include <optional>
#include <string>
#include <vector>

#include "config/moon_inf.h"
#include "config/site_list.h"
#include "config/sites.h"

namespace velmar {

// siteEditor.nameField name "測地名", siteEditor.longitudeField east longitude "東経",
// siteEditor.latitudeField north latitude "北緯", siteEditor.elevationField elevation "標高",
// siteEditor.indexField the selected entry's index.
enum class EditorField : int { Name = 1, Longitude, Latitude, Elevation, Index };

struct EditResult {
  bool written = false;
  // For the user: why nothing was written, or, once written, what reloading
  // the file brought up. Empty when there is nothing to say.
  std::string message;
  std::optional<EditorField> field;  // the field to correct, when one is at fault
};

class SiteEditor {
 public:
  static constexpr int kWidth = 6840;   // twips
  static constexpr int kHeight = 2400;  // twips
  // Centred on a screen of this size in twips.
  static WindowPlacement placement(float screenWidth, float screenHeight);

  // Loads the editor: empty fields, action "初期値". `sites` is the main
  // window's list, which every apply reloads.
  explicit SiteEditor(SiteList& sites);

  const std::string& text(EditorField f) const { return texts_[static_cast<int>(f)]; }
  void setText(EditorField f, std::string text) { texts_[static_cast<int>(f)] = std::move(text); }
  const std::vector<std::string>& list() const { return list_; }
  int listIndex() const { return listIndex_; }  // -1 when none
  SiteAction action() const { return action_; }
  void setAction(SiteAction a) { action_ = a; }
  bool visible() const { return visible_; }

  // The window is shown (or becomes active): the list is filled from the
  // file and entry 0 selected. Returns what the user should know about the
  // file; empty when nothing, or when it was told at an earlier opening.
  std::string activate();
  // A click or a double-click on entry k fills the fields from the file.
  std::string clickList(int k);
  std::string doubleClickList(int k) { return clickList(k); }
  // 適用: checks the fields, rewrites the file, then shows the file's
  // first site here and in the main window. Nothing is written when a
  // field is at fault, or the file cannot be read or may not be changed
  // (mayRewrite).
  EditResult apply();
  // キャンセル: the list is emptied and the window hidden; the fields and
  // the chosen action stay.
  void cancel();

 private:
  std::string fillList();
  void fillFields(const SiteRecord& s, int k);
  // The typed site, or the fault in it.
  std::optional<SiteRecord> editedSite(EditResult& fault) const;

  SiteList& sites_;
  std::string texts_[6];
  std::vector<std::string> list_;
  int listIndex_ = -1;
  SiteAction action_ = SiteAction::Initial;
  bool visible_ = false;
  std::string toldNotice_;  // what the last opening told about the file
};

}  // namespace velmar
