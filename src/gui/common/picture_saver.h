#pragma once
// "画像を保存...": a picture's context menu item that writes what it shows
// to a PNG or SVG file the user chooses. For every window with a picture.
#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "engine/ports.h"
#include "gui/common/texts.h"

namespace velmar {

inline constexpr const char* kSavePictureItem = texts::kSavePictureItem;

struct SavablePicture {
  std::string name;                  // the file name offered, without extension
  std::function<QImage()> pixels;    // the picture as shown, without controls
  std::function<std::string()> svg;  // its drawing operations as an SVG document
};

// Asks for a file (PNG or SVG, by the filter chosen or the name's
// extension) and writes the picture there, replacing the file whole. False
// when the user cancels or the file could not be written (then the user
// was told).
bool savePicture(FilePort& files, UiPort& ui, const SavablePicture& picture);

// Gives `w` a context menu with the save item.
void addSavePictureMenu(QWidget* w, FilePort& files, UiPort& ui, SavablePicture picture);

}  // namespace velmar
