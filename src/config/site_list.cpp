#include "config/site_list.h"

#include <sys/stat.h>

namespace velmar {

SiteList::Stamp SiteList::stampOf(const std::string& path) {
  Stamp s;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return s;
  s.exists = true;
  s.device = st.st_dev;
  s.inode = st.st_ino;
  s.size = st.st_size;
  s.seconds = st.st_mtim.tv_sec;
  s.nanoseconds = st.st_mtim.tv_nsec;
  return s;
}

bool SiteList::Stamp::operator==(const Stamp& o) const {
  return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
         seconds == o.seconds && nanoseconds == o.nanoseconds;
}

namespace {

// The same site as far as the calculation and the list go; the elevation
// is used by neither.
bool sameSite(const SiteRecord& a, const SiteRecord& b) {
  return a.name == b.name && a.latitude == b.latitude && a.longitude == b.longitude;
}

}  // namespace

std::string SiteList::load() {
  std::string notes = ensureSiteFile(path_).message;
  const Stamp stamp = stampOf(path_);
  SiteFile file = readSites(path_);
  lastRead_ = file;
  lastStamp_ = stamp;
  haveLastRead_ = true;
  if (!file.message.empty()) notes += (notes.empty() ? "" : "\n\n") + file.message;
  sites_ = std::move(file.sites);
  lines_ = std::move(file.lines);
  shipped_ = file.shipped;
  names_.clear();
  names_.reserve(sites_.size());
  for (const SiteRecord& s : sites_) names_.push_back(s.name);
  selected_ = -1;
  changed_();
  const std::string failed = select(0);
  if (!failed.empty()) notes += (notes.empty() ? "" : "\n\n") + failed;
  return notes;
}

std::string SiteList::select(int k) {
  if (k < 0 || k >= static_cast<int>(sites_.size()))
    return "「" + path_ + "」に " + std::to_string(k + 1) + " 番目の測地がありません。";
  const SiteRecord& s = sites_[static_cast<size_t>(k)];
  // A latitude of 999 would give results for no place on Earth.
  const size_t i = static_cast<size_t>(k);
  const std::string outOfRange = siteRangeMessage(s, path_, i < lines_.size() ? lines_[i] : 0);
  if (!outOfRange.empty()) {
    // The views go back to the site still in force.
    changed_();
    return outOfRange + "\n計算には使いません。";
  }
  // The name the user picked must not be calculated with whatever the file
  // holds now under that index: the list read last stays in force.
  // Read again only when the file is not the one read last: a rename, a
  // rewrite or a touch changes its stamp.
  const Stamp stamp = stampOf(path_);
  if (!haveLastRead_ || !(stamp == lastStamp_)) {
    lastRead_ = readSites(path_);
    lastStamp_ = stamp;
    haveLastRead_ = true;
  }
  const SiteFile& now = lastRead_;
  std::string notice;
  if (now.shipped != shipped_ || k >= static_cast<int>(now.sites.size()) ||
      !sameSite(now.sites[static_cast<size_t>(k)], s)) {
    notice = now.error == FileError::Missing ? "「" + path_ + "」が見つかりません。"
             : now.error != FileError::None  ? "「" + path_ + "」を読み込めません。"
                                            : "「" + path_ + "」の内容が変わっています。";
    notice += "\n一覧は起動時か最後の「適用」のときに読み込んだもので、「" + s.name +
              "」はそのときの座標で計算します。";
  }
  calc_.setSite(s.latitude, s.longitude);
  selected_ = k;
  changed_();
  calc_.calc();
  return notice;
}

}  // namespace velmar
