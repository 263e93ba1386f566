#pragma once
// The files of a window test in a folder of its own: no settings or
// additions yet, and a site file whose first site is the worked example's
// (Tokyo).
#include <QTemporaryDir>
#include <fstream>

#include "app/main_form.h"

namespace velmar::testing_window {

inline FilePaths examplePaths(const QTemporaryDir& dir) {
  FilePaths p;
  p.settings = dir.filePath("moon.inf").toStdString();
  p.sites = dir.filePath("sokuti.dat").toStdString();
  p.additions = dir.filePath("velmar-additions.ini").toStdString();
  std::ofstream(p.sites, std::ios::binary) << "Tokyo, 35.6544 , 139.7447 , 40 \r\n";
  return p;
}

}  // namespace velmar::testing_window
