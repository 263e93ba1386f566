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
     "yearField",
     "年",
     "年数入力　クリックでテンキーパッドを開きます",
     1,
     "年を入力",
     {"yearSpinner", "年数　年を１増減します", 1584, 30000, true},
     true,
     Correction::Carry},
    {Field::Month,
     "monthField",
     "月",
     "月数入力　クリックでテンキーパッドを開きます",
     2,
     "月を入力",
     {"monthSpinner", "月数　月を１増減します", 0, 13, true},
     true,
     Correction::Carry},
    {Field::Day,
     "dayField",
     "日",
     "日数入力　クリックでテンキーパッドを開きます",
     3,
     "日を入力",
     {"daySpinner", "日数　日を１増減します", 0, 32, true},
     true,
     Correction::Carry},
    shown(Field::JulianDay, "julianDayField", "ユリウス日"),
    shown(Field::SunLongitude, "sunLongitudeField", "太陽の黄経", kResultMask),
    shown(Field::MoonLongitude, "moonLongitudeField", "月の黄経", kResultMask),
    {Field::Hour,
     "hourField",
     "時",
     "時刻入力　クリックでテンキーパッドを開きます",
     7,
     "時を入力",
     {"hourSpinner", "時間数　時間を１増減します", -1, 24, true},
     true,
     Correction::Carry},
    {Field::Minute,
     "minuteField",
     "分",
     "分数入力　クリックでテンキーパッドを開きます",
     8,
     "分を入力",
     {"minuteSpinner", "分数　分を１増減します", -1, 60, true},
     true,
     Correction::Carry},
    {Field::Second,
     "secondField",
     "秒",
     "秒数入力　クリックでテンキーパッドを開きます",
     9,
     "秒を入力",
     {"secondSpinner", "秒数　秒を１増減します", -1, 60, true},
     true,
     Correction::Carry},
    shown(Field::Phase, "phaseField", "月の位相", kResultMask),
    shown(Field::Illumination, "illuminationField", "月の輝面比", kResultMask),
    {Field::DeltaT,
     "deltaTField",
     "△Ｔ",
     "△Ｔ入力　クリックでテンキーパッドを開きます",
     12,
     "△Ｔを入力",
     {"deltaTSpinner", "△Ｔ　△Ｔを１増減します", 0, 100, true},
     false,
     Correction::ZeroBelowOne,
     kDeltaTMask},
    shown(Field::ReferenceDate, "referenceDateField", "基準日"),
    // The reference command writes it with kReferenceAgeMask instead.
    shown(Field::MoonAge, "moonAgeField", "基準差", kResultMask),
    shown(Field::SunDistance, "sunDistanceField", "太陽の地心距離", kResultMask),
    shown(Field::MoonDistance, "moonDistanceField", "月の地心距離(km)", kKmMask),
    {Field::ChangeAmount,
     "changeAmountField",
     "変化分",
     "変化分入力　クリックでテンキーパッドを開きます",
     17,
     "変化分を入力",
     {"changeAmountSpinner", "連続推算変化分　変化分を１増減します", 1, 3600, false},
     true},
    {Field::LoopCount,
     "loopCountField",
     "ループ",
     "ループ入力　クリックでテンキーパッドを開きます",
     18,
     "ループを入力",
     {"loopCountSpinner", "ループ　ループを１増減します", 2, 365, false},
     true},
    shown(Field::RightAscension, "rightAscensionField", "月の赤経", kResultMask),
    shown(Field::MoonLatitude, "moonLatitudeField", "月の黄緯", kResultMask),
    shown(Field::Declination, "declinationField", "月の赤緯", kResultMask),
    shown(Field::Azimuth, "azimuthField", "月の方位", kResultMask),
    shown(Field::Altitude, "altitudeField", "月の高度", kResultMask),
    shown(Field::SiteLongitude, "siteLongitudeField", "東経", afterBlank(kLongitudeMask)),
    shown(Field::SiteLatitude, "siteLatitudeField", "北緯", afterBlank(kLatitudeMask)),
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

}  // namespace velmar
