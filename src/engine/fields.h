#pragma once
// The main window's controls by what they hold, and the one table that ties
// each text field to its control name, label, hint, keypad and spinner.
//
// The numbers of the enumerators (LoopCount = 18) are the codes the keypad
// routes by and the settings file's order, so they must not change.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/numtext.h"

namespace velmar {

enum class Field : int {
  Year = 1,        // yearField
  Month,           // monthField
  Day,             // dayField
  JulianDay,       // julianDayField
  SunLongitude,    // sunLongitudeField
  MoonLongitude,   // moonLongitudeField
  Hour,            // hourField, Japan Standard Time
  Minute,          // minuteField
  Second,          // secondField
  Phase,           // phaseField, phase angle
  Illumination,    // illuminationField, illuminated fraction
  DeltaT,          // deltaTField, seconds
  ReferenceDate,   // referenceDateField, Julian Day of the reference new moon
  MoonAge,         // moonAgeField, days since the reference
  SunDistance,     // sunDistanceField, AU
  MoonDistance,    // moonDistanceField, km
  ChangeAmount,    // changeAmountField
  LoopCount,       // loopCountField
  RightAscension,  // rightAscensionField, hours
  MoonLatitude,    // moonLatitudeField
  Declination,     // declinationField
  Azimuth,         // azimuthField
  Altitude,        // altitudeField
  SiteLongitude,   // siteLongitudeField, shown only
  SiteLatitude,    // siteLatitudeField, shown only
};
inline constexpr int kFieldCount = 26;  // index 0 unused

// Check boxes of the main window (autoRebaseCheck .. graphLatitudeCheck).
enum class Check : int {
  AutoRebase = 1,     // autoRebaseCheck 朔月自動基準化
  GraphOutput,        // graphOutputCheck グラフ描画
  AutoDeltaT,         // autoDeltaTCheck △Ｔ自動
  TableOutput,        // tableOutputCheck 帳票出力
  FileOutput,         // fileOutputCheck ファイル出力
  GraphSun,           // graphSunCheck
  GraphMoon,          // graphMoonCheck
  GraphIllumination,  // graphIlluminationCheck
  GraphLatitude,      // graphLatitudeCheck
};
inline constexpr int kCheckCount = 10;

// Option buttons of the main window (speedFastOption .. directionFutureOption), in three frames:
// speed, the unit the continuous calculation steps, and its direction.
enum class Option : int {
  Fast = 1,
  Normal,
  Years,
  Months,
  Days,
  Hours,
  Minutes,
  Seconds,
  Past,
  Future,
};
inline constexpr int kOptionCount = 11;

// The frames of the option buttons: one button of each is selected. Each
// is also one line of the settings file.
struct OptionFrame {
  Option first, last;
};
inline constexpr OptionFrame kSpeedFrame{Option::Fast, Option::Normal};
inline constexpr OptionFrame kUnitFrame{Option::Years, Option::Seconds};
inline constexpr OptionFrame kDirectionFrame{Option::Past, Option::Future};
inline constexpr OptionFrame kOptionFrames[] = {kSpeedFrame, kUnitFrame, kDirectionFrame};
const OptionFrame& frameOf(Option o);

// Menu items that carry a check mark, by their item names.
enum class Tick : int { easycalc, hqcalc, automem, guid, bigsky, bigview, bigsun };
inline constexpr int kTickCount = 7;

struct SpinnerInfo {
  const char* name;  // "daySpinner"; nullptr when the field has none
  const char* hint;
  int lowest;
  int highest;
  bool calculates;  // a change runs calc at once
};

// What keeps an input field's value usable, beside its spinner's limits.
// The rules live in DateFields.
enum class Correction {
  None,
  // The date and time: a value out of its unit's range carries into the
  // next unit, a 29 February of a common year becomes 1 March.
  Carry,
  ZeroBelowOne,  // delta T: below one second it reads 0
};

struct FieldInfo {
  Field field;
  const char* control;        // "loopCountField"
  const char* label;          // "ループ": beside the field and in velmar-cli's output
  const char* hint;           // the guidance line's text over the field, or nullptr
  int keypadCode;             // what pendingField holds while the keypad fills it; 0: none
  const char* keypadCaption;  // "ループを入力", or nullptr
  SpinnerInfo spinner;
  // The field holds a whole number whenever a calculation, a step or a
  // count uses it (the date and time, the change amount, the loop count).
  bool whole = false;
  Correction correction = Correction::None;
  // The mask the program writes the field's numbers with; none for the
  // fields that show general numeric text or what was typed.
  std::optional<FixedMask> mask = std::nullopt;
};

const FieldInfo& fieldInfo(Field f);
const char* fieldName(Field f);
// The field's mask; only for a field that has one.
const FixedMask& displayMask(Field f);
// By control name ("julianDayField") or spinner name ("daySpinner"); nullptr when none.
const FieldInfo* findField(std::string_view control);
const FieldInfo* findSpinner(std::string_view name);

// The correction rule of the whole-number fields, the one place where a
// fraction is dealt with: the value rounded half away from zero when the
// field holds whole numbers and `value` has a fraction; nothing otherwise.
// A fraction half carried through the date or never met by a loop's count
// cannot happen after it.
std::optional<double> wholeCorrection(Field f, double value);

int code(Field f);
int code(Check c);
int code(Option o);

// The values a site's coordinates may take, in degrees: the site editor and
// velmar-cli refuse others.
struct ValueRange {
  double lowest, highest;
  bool holds(double v) const { return v >= lowest && v <= highest; }
  // "-90 から 90", for the messages.
  std::string text() const { return formatPlain(lowest) + " から " + formatPlain(highest); }
};
inline constexpr ValueRange kLatitudeRange{-90, 90};     // north positive
inline constexpr ValueRange kLongitudeRange{-180, 360};  // east positive

// The six fields of the instant, in the order every part of the program
// writes them: year, month, day, hour, minute, second.
inline constexpr std::array<Field, 6> kInstantFields = {Field::Year, Field::Month,  Field::Day,
                                                        Field::Hour, Field::Minute, Field::Second};

}  // namespace velmar
