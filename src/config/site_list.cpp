#include "config/site_list.h"

namespace velmar {

std::string SiteList::load() {
  std::string notes = ensureSiteFile(path_).message;
  SiteFile file = readSites(path_);
  if (!file.message.empty()) notes += (notes.empty() ? "" : "\n\n") + file.message;
  names_.clear();
  names_.reserve(file.sites.size());
  for (SiteRecord& s : file.sites) names_.push_back(std::move(s.name));
  selected_ = -1;
  changed_();
  const std::string failed = select(0);
  if (!failed.empty()) notes += (notes.empty() ? "" : "\n\n") + failed;
  return notes;
}

std::string SiteList::select(int k) {
  // Every selection reads the file again: the list holds only the names.
  const SiteFile file = readSites(path_);
  if (k < 0 || k >= static_cast<int>(file.sites.size()))
    return "「" + path_ + "」に " + std::to_string(k + 1) + " 番目の測地がありません。";
  const SiteRecord& s = file.sites[static_cast<size_t>(k)];
  calc_.setSite(s.latitude, s.longitude);
  selected_ = k;
  changed_();
  calc_.calc();
  return {};
}

}  // namespace velmar
