// The site editor's fields into sokuti.dat: a site the editor accepts is in
// the rewritten file where the action put it, reads back through its masks,
// and no other line of the file is lost.
#include <cstddef>
#include <cstdint>

#include "config/site_editor.h"
#include "fuzz_input.h"

using namespace velmar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Lines: name, longitude, latitude, elevation, then one byte for the
  // action and one for the site picked; the rest is the file before.
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const size_t split = text.find('\f');
  if (split == std::string_view::npos) return -1;
  const std::vector<std::string> fields = fuzz::splitLines(text.substr(0, split));
  if (fields.size() != 5 || fields[4].size() != 2) return -1;
  const std::string_view before = text.substr(split + 1);
  const std::string& path = fuzz::writeScratch(reinterpret_cast<const uint8_t*>(before.data()),
                                               before.size());

  FormModel form;
  Calculator calc(form);
  SiteList sites(calc, path);
  sites.load();
  SiteEditor editor(sites);
  editor.activate();
  const SiteFile old = readSites(path);
  const int n = static_cast<int>(editor.list().size());
  editor.clickList(static_cast<unsigned char>(fields[4][1]) % (n + 1));
  editor.setText(EditorField::Name, fields[0]);
  editor.setText(EditorField::Longitude, fields[1]);
  editor.setText(EditorField::Latitude, fields[2]);
  editor.setText(EditorField::Elevation, fields[3]);
  editor.setAction(static_cast<SiteAction>(1 + static_cast<unsigned char>(fields[4][0]) % 3));
  const int picked = editor.listIndex();
  const EditResult r = editor.apply();
  if (!r.written) return 0;

  const SiteFile now = readSites(path);
  VELMAR_FUZZ_CHECK(now.error == FileError::None);
  VELMAR_FUZZ_CHECK(now.unread.size() == old.unread.size());
  const size_t grown = editor.action() == SiteAction::Add ? 1 : 0;
  VELMAR_FUZZ_CHECK(now.sites.size() == old.sites.size() + grown);
  const size_t at = editor.action() == SiteAction::Initial ? 0
                    : editor.action() == SiteAction::Add   ? static_cast<size_t>(picked) + 1
                                                           : static_cast<size_t>(picked);
  VELMAR_FUZZ_CHECK(at < now.sites.size());
  VELMAR_FUZZ_CHECK(editedSiteLine(now.sites[at]) == editedSiteLine(*parseSiteLine(editedSiteLine(now.sites[at]))));
  return 0;
}
