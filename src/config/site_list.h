#pragma once
// The main window's site list siteCombo "測地" without its widget: the sites
// read from the site file and the selected index. Selecting makes that site
// the calculation's site (siteLongitudeField/siteLatitudeField) and recalculates.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "config/sites.h"
#include "engine/calculator.h"
#include "engine/signal.h"

namespace velmar {

class SiteList {
 public:
  explicit SiteList(Calculator& calc, std::string path = kSiteFileName)
      : calc_(calc), path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  const std::vector<std::string>& names() const { return names_; }
  // -1 when nothing is selected.
  int selected() const { return selected_; }

  // At startup and after every change of the file: writes the shipped list
  // when there is no file, reads the sites and selects index 0. Returns what
  // the user should be told about the file; empty when nothing.
  std::string load();

  // A click on the list: site k as loaded becomes the site, then the
  // calculation runs. The file is read again, when it has changed since it
  // was last read, to see that it still holds that site; when it is gone,
  // cannot be read or holds another site there, the loaded site is used all
  // the same and the returned message says so.
  // Returns a message, and changes nothing, when the list has no site k
  // or its coordinates are out of range (a file written by hand).
  std::string select(int k);

  // Views mirroring the list (the combo box) are told after every change.
  Signal<>& changed() { return changed_; }

 private:
  Calculator& calc_;
  std::string path_;
  // What the user sees and picks from: the names alone for the views, the
  // sites with their coordinates for the calculation.
  std::vector<std::string> names_;
  std::vector<SiteRecord> sites_;
  std::vector<int> lines_;  // each site's line in the file, for messages
  bool shipped_ = false;    // the shipped list stood in for the file
  // The file as it was last read, and when: a list of a hundred thousand
  // sites takes a tenth of a second to read, too long for every click.
  struct Stamp {
    bool exists = false;
    unsigned long long device = 0, inode = 0;
    long long size = 0, seconds = 0, nanoseconds = 0;
    bool operator==(const Stamp& o) const;
  };
  static Stamp stampOf(const std::string& path);
  SiteFile lastRead_;
  Stamp lastStamp_;
  bool haveLastRead_ = false;
  int selected_ = -1;
  Signal<> changed_;
};

}  // namespace velmar
