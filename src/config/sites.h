#pragma once
// The observation-site file sokuti.dat: one site a line, "name,latitude,
// longitude,elevation". A site is known only by its position in the file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/text_file.h"

namespace velmar {

inline constexpr const char* kSiteFileName = "sokuti.dat";

struct SiteRecord {
  std::string name;
  double latitude = 0;   // degrees, north positive
  double longitude = 0;  // degrees, east positive
  double elevation = 0;  // as the user typed it; no unit, used by no calculation
};

// A line that did not read as a site, or a blank line. It is left out of
// the lists but kept in the file, where it stood, when the file is
// rewritten.
struct UnreadLine {
  int lineNumber;   // 1-based, in the file
  int sitesBefore;  // how many sites precede it in the file
  std::string text;
  bool blank = false;  // nothing but blanks: kept, but nothing to tell
};

struct SiteFile {
  // In file order. When the file has no usable site, the shipped list.
  std::vector<SiteRecord> sites;
  // The line of each site in the file (1-based); empty for the shipped list.
  std::vector<int> lines;
  std::vector<UnreadLine> unread;
  bool shipped = false;  // `sites` is the shipped list, not the file's
  // How reading the file went. Missing, or a file that was read, may be
  // rewritten; a file that could not be read must not be overwritten.
  FileError error = FileError::None;
  std::string message;  // for the user; empty when the file read cleanly
  std::string reason;   // why the file could not be read; empty when it was
  // The file's encoding, kept when it is rewritten.
  TextEncoding encoding = TextEncoding::Cp932;
};

// The sites the program comes with. The first one is the site in force at
// startup.
const std::vector<SiteRecord>& shippedSites();

// One line of the file, in either of the forms the program writes: the name
// (in double quotes, with doubled inner quotes, when it holds a comma or a
// quote) and three numbers, blanks around the numbers ignored. Empty when
// the line is not a site.
std::optional<SiteRecord> parseSiteLine(std::string_view line);

// The name as a field of the line: quoted when it holds a comma or a quote.
std::string siteNameField(std::string_view name);

// A site carried over from the file: each number in the general numeric
// text form followed by one blank (" 35.6544 ").
std::string carriedSiteLine(const SiteRecord& s);

// The site the user edited, through the masks "00.00", "000.00", "000.00".
std::string editedSiteLine(const SiteRecord& s);

// The whole file. Never fails: what cannot be used is reported in
// `message` and the shipped list stands in when nothing is left.
SiteFile readSites(const std::string& path);

// Empty when the site's latitude and longitude lie in the ranges the fields
// take (kLatitudeRange, kLongitudeRange); else why it cannot be used, in
// Japanese, naming `path` and its line `line` (1-based; 0 leaves the line
// out). A file written by hand may hold any number.
std::string siteRangeMessage(const SiteRecord& site, const std::string& path, int line);

// Writes the shipped list when the file is missing or holds nothing but
// blank lines; leaves any other file alone.
FileStatus ensureSiteFile(const std::string& path);

// The editor's three actions: siteEditor.initialOption "初期値" replaces the first site,
// siteEditor.addOption "追　加" inserts after the selected site, siteEditor.replaceOption "置　換"
// replaces the selected site.
enum class SiteAction : int { Initial = 1, Add, Replace };

// The lines of the rewritten file: the edited site placed by the action,
// every other site carried over in order, unread lines kept where they
// stood. `selected` must index a site of `file` for Add and Replace.
std::vector<std::string> rewriteSites(const SiteFile& file, const SiteRecord& edited,
                                      SiteAction action, int selected);

}  // namespace velmar
