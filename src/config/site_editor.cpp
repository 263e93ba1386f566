#include "config/site_editor.h"

#include <string_view>

#include "engine/fields.h"
#include "engine/numtext.h"

namespace velmar {

namespace {

// Empty, or nothing but blanks, tabs and full-width blanks.
bool onlyBlanks(std::string_view s) {
  constexpr std::string_view kWideBlank = "\u3000";
  while (!s.empty()) {
    if (s[0] == ' ' || s[0] == '\t')
      s.remove_prefix(1);
    else if (s.substr(0, kWideBlank.size()) == kWideBlank)
      s.remove_prefix(kWideBlank.size());
    else
      return false;
  }
  return true;
}

}  // namespace

WindowPlacement SiteEditor::placement(float screenWidth, float screenHeight) {
  return centredPlacement(kWidth, kHeight, screenWidth, screenHeight);
}

SiteEditor::SiteEditor(SiteList& sites) : sites_(sites) {}

std::string SiteEditor::activate() {
  visible_ = true;
  const std::string notice = fillList();
  // The same news about the same file is told once, not at every opening.
  if (notice == toldNotice_) return {};
  toldNotice_ = notice;
  return notice;
}

std::string SiteEditor::fillList() {
  SiteFile file = readSites(sites_.path());
  // Filled afresh rather than appended to, so that activating twice without
  // a hide in between cannot list the sites twice.
  list_.clear();
  list_.reserve(file.sites.size());
  for (const SiteRecord& s : file.sites) list_.push_back(s.name);
  listIndex_ = -1;
  fillFields(file.sites.front(), 0);
  return file.message;
}

std::string SiteEditor::clickList(int k) {
  if (k < 0 || k >= static_cast<int>(list_.size())) return {};
  const SiteFile file = readSites(sites_.path());
  if (k >= static_cast<int>(file.sites.size()))
    return "「" + sites_.path() + "」に " + std::to_string(k + 1) + " 番目の測地がありません。";
  fillFields(file.sites[static_cast<size_t>(k)], k);
  return {};
}

void SiteEditor::fillFields(const SiteRecord& s, int k) {
  listIndex_ = k;
  setText(EditorField::Name, s.name);
  setText(EditorField::Longitude, formatFixed(s.longitude, kLongitudeMask));
  setText(EditorField::Latitude, formatFixed(s.latitude, kLatitudeMask));
  setText(EditorField::Elevation, formatFixed(s.elevation, kElevationMask));
  setText(EditorField::Index, formatInt(k));
}

std::optional<SiteRecord> SiteEditor::editedSite(EditResult& fault) const {
  auto bad = [&](EditorField f, std::string message) {
    fault.field = f;
    fault.message = std::move(message);
    return std::nullopt;
  };
  SiteRecord s;
  s.name = text(EditorField::Name);
  if (s.name.find_first_of("\r\n") != std::string::npos)
    return bad(EditorField::Name, "測地名に改行は使えません。");
  // A blank name would be a blank entry in the site list.
  if (onlyBlanks(s.name)) return bad(EditorField::Name, "測地名を入力してください。");
  std::string badChar;
  if (!toCp932(s.name, &badChar)) {
    return bad(EditorField::Name,
               badChar.empty()
                   ? "測地名に使えない文字があります。"
                   : "測地名の「" + badChar + "」は Shift-JIS にない文字のため使えません。");
  }
  const std::optional<double> lon = parseNumber(text(EditorField::Longitude));
  if (!lon || !kLongitudeRange.holds(*lon))
    return bad(EditorField::Longitude,
               "東経には " + kLongitudeRange.text() + " までの数値を入力してください。");
  const std::optional<double> lat = parseNumber(text(EditorField::Latitude));
  if (!lat || !kLatitudeRange.holds(*lat))
    return bad(EditorField::Latitude,
               "北緯には " + kLatitudeRange.text() + " までの数値を入力してください。");
  const std::optional<double> elevation = parseNumber(text(EditorField::Elevation));
  if (!elevation) return bad(EditorField::Elevation, "標高には数値を入力してください。");
  s.longitude = *lon;
  s.latitude = *lat;
  s.elevation = *elevation;
  return s;
}

EditResult SiteEditor::apply() {
  EditResult r;
  const std::optional<SiteRecord> edited = editedSite(r);
  if (!edited) return r;

  const SiteFile file = readSites(sites_.path());
  // Writing now would replace sites that could not be read, or a file the
  // user has kept from being changed.
  if ((file.error != FileError::None && file.error != FileError::Missing) ||
      !mayRewrite(sites_.path())) {
    r.message = "「" + sites_.path() + "」を読み込めないか、書き換えが許可されていないため、" +
                "保存しませんでした。\nファイルを確かめてください。";
    return r;
  }
  const int n = static_cast<int>(file.sites.size());
  if (action_ != SiteAction::Initial && (listIndex_ < 0 || listIndex_ >= n)) {
    r.message = "一覧から測地を選んでください。";
    return r;
  }
  const FileStatus saved =
      writeTextFile(sites_.path(), rewriteSites(file, *edited, action_, listIndex_), file.encoding);
  if (!saved.ok()) {
    r.message = saved.message;
    return r;
  }
  r.written = true;
  // The editor's list and the main window's list read the same file: its
  // notes are passed on once, from the main window's.
  fillList();
  r.message = sites_.load();
  return r;
}

void SiteEditor::cancel() {
  list_.clear();
  listIndex_ = -1;
  visible_ = false;
}

}  // namespace velmar
