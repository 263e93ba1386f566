#include "gui/common/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmar {

bool useJapaneseTranslations() {
  // "qt_ja" gathers the modules' catalogues (qtbase_ja and the rest); one
  // translator per application is enough, kept for its whole run.
  static QTranslator* qt = nullptr;
  if (qt) return true;
  auto* t = new QTranslator(QCoreApplication::instance());
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!t->load(QLocale(QLocale::Japanese, QLocale::Japan), "qt", "_", folder) &&
      !t->load("qtbase_ja", folder)) {
    delete t;
    return false;
  }
  QCoreApplication::installTranslator(t);
  qt = t;
  return true;
}

}  // namespace velmar
