#include "gui/common/japanese_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace velmar {

void useJapaneseFont() {
  for (const char* family : {"Noto Sans CJK JP", "Noto Sans JP", "IPAGothic"}) {
    if (QFontDatabase::families().contains(family)) {
      QFont f(family);
      f.setPointSize(10);
      QApplication::setFont(f);
      return;
    }
  }
}

}  // namespace velmar
