#include "gui/common/fixed_font.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <cmath>

#include "gui/common/texts.h"

namespace velmar {

namespace {

// The toolkit has already loaded fontconfig to find its fonts; its matcher
// is asked directly, looked up in the running program, so that nothing has
// to be linked for it. Without it the installed fonts are measured.
template <typename F>
F fontconfigFunction(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

// fontconfig's pattern syntax gives these characters a meaning.
QByteArray escaped(const QString& family) {
  QByteArray out;
  for (char c : family.toUtf8()) {
    if (c == '\\' || c == '-' || c == ':' || c == ',') out += '\\';
    out += c;
  }
  return out;
}

// The family fontconfig matches for `family` in Japanese with fixed pitch,
// or empty.
QString fontconfigMatch(const QString& family) {
  const auto parse = fontconfigFunction<FcPattern* (*)(const FcChar8*)>("FcNameParse");
  const auto substitute =
      fontconfigFunction<FcBool (*)(FcConfig*, FcPattern*, FcMatchKind)>("FcConfigSubstitute");
  const auto defaults = fontconfigFunction<void (*)(FcPattern*)>("FcDefaultSubstitute");
  const auto match =
      fontconfigFunction<FcPattern* (*)(FcConfig*, FcPattern*, FcResult*)>("FcFontMatch");
  const auto getString =
      fontconfigFunction<FcResult (*)(const FcPattern*, const char*, int, FcChar8**)>(
          "FcPatternGetString");
  const auto destroy = fontconfigFunction<void (*)(FcPattern*)>("FcPatternDestroy");
  if (!parse || !substitute || !defaults || !match || !getString || !destroy) return {};

  const QByteArray request = escaped(family) + ":lang=ja:spacing=mono";
  FcPattern* pattern = parse(reinterpret_cast<const FcChar8*>(request.constData()));
  if (!pattern) return {};
  substitute(nullptr, pattern, FcMatchPattern);
  defaults(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* found = match(nullptr, pattern, &result);
  QString name;
  FcChar8* text = nullptr;
  if (found && getString(found, FC_FAMILY, 0, &text) == FcResultMatch && text)
    name = QString::fromUtf8(reinterpret_cast<const char*>(text));
  if (found) destroy(found);
  destroy(pattern);
  return name;
}

QString standIn(const QString& family) {
  const QStringList installed = QFontDatabase::families();
  if (installed.contains(family) && keepsColumns(QFont(family))) return family;
  const QString matched = fontconfigMatch(family);
  if (!matched.isEmpty() && installed.contains(matched) && keepsColumns(QFont(matched)))
    return matched;
  for (const QString& candidate : QFontDatabase::families(QFontDatabase::Japanese))
    if (keepsColumns(QFont(candidate))) return candidate;
  return family;
}

}  // namespace

bool keepsColumns(const QFont& font) {
  const QFontMetricsF m(font);
  const double narrow = m.horizontalAdvance(QLatin1Char('0'));
  if (narrow <= 0) return false;
  for (QChar c : QStringLiteral("iW.+ /:"))
    if (std::fabs(m.horizontalAdvance(c) - narrow) > 0.01 * narrow) return false;
  const double wide = m.horizontalAdvance(QString::fromUtf8(texts::kWideSample));
  const double halfKana = m.horizontalAdvance(QString::fromUtf8(texts::kHalfKanaSample));
  return std::fabs(wide - 2 * narrow) <= 0.02 * narrow &&
         std::fabs(halfKana - narrow) <= 0.02 * narrow;
}

QFont fixedPitchFont(const QString& family, double pointSize) {
  // Asked once per family: the answer does not change while the program runs.
  static QHash<QString, QString> chosen;
  auto it = chosen.find(family);
  if (it == chosen.end()) it = chosen.insert(family, standIn(family));
  QFont font(it.value());
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  if (pointSize > 0) font.setPointSizeF(pointSize);
  return font;
}

}  // namespace velmar
