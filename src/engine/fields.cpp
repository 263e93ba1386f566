#include "engine/fields.h"

#include <cmath>

namespace velmar {

namespace {

constexpr SpinnerInfo kNoSpinner{nullptr, nullptr, 0, 0, false};

// A field the program writes and the user only reads.
constexpr FieldInfo shown(Field f, const char* control, const char* label,
                          std::optional<FixedMask> mask = std::nullopt) {
  return {f, control, label, nullptr, 0, nullptr, kNoSpinner, false, Correction::None, mask};
}

// Indexed by the field's number.
constexpr std::array<FieldInfo, kFieldCount> kFields = {{
    shown(Field{}, "", ""),
    {Field::Year,
     "Text1",
     "年",
     "年数入力　クリックでテンキーパッドを開きます",
     1,
     "年を入力",
     {"UpDown1", "年数　年を１増減します", 1584, 30000, true},
     true,
     Correction::Carry},
    {Field::Month,
     "Text2",
     "月",
     "月数入力　クリックでテンキーパッドを開きます",
     2,
     "月を入力",
     {"UpDown2", "月数　月を１増減します", 0, 13, true},
     true,
     Correction::Carry},
    {Field::Day,
     "Text3",
     "日",
     "日数入力　クリックでテンキーパッドを開きます",
     3,
     "日を入力",
     {"UpDown3", "日数　日を１増減します", 0, 32, true},
     true,
     Correction::Carry},
    shown(Field::JulianDay, "Text4", "ユリウス日"),
    shown(Field::SunLongitude, "Text5", "太陽の黄経", kResultMask),
    shown(Field::MoonLongitude, "Text6", "月の黄経", kResultMask),
    {Field::Hour,
     "Text7",
     "時",
     "時刻入力　クリックでテンキーパッドを開きます",
     7,
     "時を入力",
     {"UpDown4", "時間数　時間を１増減します", -1, 24, true},
     true,
     Correction::Carry},
    {Field::Minute,
     "Text8",
     "分",
     "分数入力　クリックでテンキーパッドを開きます",
     8,
     "分を入力",
     {"UpDown5", "分数　分を１増減します", -1, 60, true},
     true,
     Correction::Carry},
    {Field::Second,
     "Text9",
     "秒",
     "秒数入力　クリックでテンキーパッドを開きます",
     9,
     "秒を入力",
     {"UpDown6", "秒数　秒を１増減します", -1, 60, true},
     true,
     Correction::Carry},
    shown(Field::Phase, "Text10", "月の位相", kResultMask),
    shown(Field::Illumination, "Text11", "月の輝面比", kResultMask),
    {Field::DeltaT,
     "Text12",
     "△Ｔ",
     "△Ｔ入力　クリックでテンキーパッドを開きます",
     12,
     "△Ｔを入力",
     {"UpDown9", "△Ｔ　△Ｔを１増減します", 0, 100, true},
     false,
     Correction::ZeroBelowOne,
     kDeltaTMask},
    shown(Field::ReferenceDate, "Text13", "基準日"),
    // The reference command writes it with kReferenceAgeMask instead.
    shown(Field::MoonAge, "Text14", "基準差", kResultMask),
    shown(Field::SunDistance, "Text15", "太陽の地心距離", kResultMask),
    shown(Field::MoonDistance, "Text16", "月の地心距離(km)", kKmMask),
    {Field::ChangeAmount,
     "Text17",
     "変化分",
     "変化分入力　クリックでテンキーパッドを開きます",
     17,
     "変化分を入力",
     {"UpDown7", "連続推算変化分　変化分を１増減します", 1, 3600, false},
     true},
    {Field::LoopCount,
     "Text18",
     "ループ",
     "ループ入力　クリックでテンキーパッドを開きます",
     18,
     "ループを入力",
     {"UpDown8", "ループ　ループを１増減します", 2, 365, false},
     true},
    shown(Field::RightAscension, "Text19", "月の赤経", kResultMask),
    shown(Field::MoonLatitude, "Text20", "月の黄緯", kResultMask),
    shown(Field::Declination, "Text21", "月の赤緯", kResultMask),
    shown(Field::Azimuth, "Text22", "月の方位", kResultMask),
    shown(Field::Altitude, "Text23", "月の高度", kResultMask),
    shown(Field::SiteLongitude, "Text24", "東経", afterBlank(kLongitudeMask)),
    shown(Field::SiteLatitude, "Text25", "北緯", afterBlank(kLatitudeMask)),
}};

constexpr bool tableInOrder() {
  for (int i = 1; i < kFieldCount; ++i)
    if (static_cast<int>(kFields[i].field) != i) return false;
  return true;
}
static_assert(tableInOrder(), "the field table is indexed by the field's number");

}  // namespace

const FieldInfo& fieldInfo(Field f) { return kFields[static_cast<size_t>(f)]; }

const char* fieldName(Field f) { return fieldInfo(f).control; }

const FixedMask& displayMask(Field f) { return *fieldInfo(f).mask; }

const FieldInfo* findField(std::string_view control) {
  for (int i = 1; i < kFieldCount; ++i)
    if (control == kFields[i].control) return &kFields[i];
  return nullptr;
}

const FieldInfo* findSpinner(std::string_view name) {
  for (int i = 1; i < kFieldCount; ++i)
    if (kFields[i].spinner.name && name == kFields[i].spinner.name) return &kFields[i];
  return nullptr;
}

std::optional<double> wholeCorrection(Field f, double value) {
  if (!fieldInfo(f).whole || !std::isfinite(value) || std::trunc(value) == value) return {};
  // + 0.0: a small negative fraction rounds to 0, not to -0.
  return std::round(value) + 0.0;
}

int code(Field f) { return static_cast<int>(f); }
int code(Check c) { return static_cast<int>(c); }
const OptionFrame& frameOf(Option o) {
  for (const OptionFrame& f : kOptionFrames)
    if (o >= f.first && o <= f.last) return f;
  return kOptionFrames[0];
}

int code(Option o) { return static_cast<int>(o); }

std::string controlName(Check c) { return "Check" + std::to_string(code(c)); }
std::string controlName(Option o) { return "Option" + std::to_string(code(o)); }

}  // namespace velmar
