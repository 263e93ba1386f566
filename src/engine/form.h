#pragma once
// The main window's working state, without any toolkit.
//
// The text fields are the program's working interface: results are written
// into them and other steps read them back by value(). This model is the
// single source of truth; a window only mirrors it and forwards the user's
// input to it.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

// Text boxes of the main window, by their number (Text1 .. Text25).
enum class Field : int {
  Text1 = 1,  // year
  Text2,      // month
  Text3,      // day
  Text4,      // Julian Day
  Text5,      // Sun longitude
  Text6,      // Moon longitude
  Text7,      // hour
  Text8,      // minute
  Text9,      // second
  Text10,     // phase angle
  Text11,     // illuminated fraction
  Text12,     // delta T
  Text13,     // reference date
  Text14,     // reference difference (moon age)
  Text15,     // Sun distance
  Text16,     // Moon distance
  Text17,     // change amount
  Text18,     // loop count
  Text19,     // right ascension
  Text20,     // Moon latitude
  Text21,     // declination
  Text22,     // azimuth
  Text23,     // altitude
  Text24,     // site longitude (display)
  Text25,     // site latitude (display)
};
inline constexpr int kFieldCount = 26;  // index 0 unused

// Check boxes of the main window: Check1 new-moon rebasing, Check2 graph
// output, Check3 automatic delta T, Check4 data table output, Check5 file
// output, Check6..Check9 the graph's series (Sun, Moon, illumination,
// latitude).
enum class Check : int { Check1 = 1, Check2, Check3, Check4, Check5, Check6, Check7, Check8, Check9 };
inline constexpr int kCheckCount = 10;

// Option buttons of the main window (Option1 .. Option10).
enum class Option : int {
  Option1 = 1, Option2, Option3, Option4, Option5,
  Option6, Option7, Option8, Option9, Option10
};
inline constexpr int kOptionCount = 11;

// Menu items that carry a check mark.
enum class Tick : int { easycalc, hqcalc, automem, guid };
inline constexpr int kTickCount = 4;

// What changed, for listeners.
struct Change {
  enum class Kind { Field, Check, Option, Tick } kind;
  int id;
};

// The control name of each field, as the program and its tests call it
// ("Text4").
const char* fieldName(Field f);

class FormModel {
 public:
  FormModel();

  const std::string& text(Field f) const { return texts_[static_cast<int>(f)]; }
  // value() of the field's text.
  double value(Field f) const;
  // Writes a field. Writing its own text again is no change: nothing is
  // notified and no rule runs. Otherwise listeners are told, then the
  // field's change rule runs (which may write further fields at once).
  void setText(Field f, std::string_view text);

  int check(Check c) const { return checks_[static_cast<int>(c)]; }
  // Sets a check box to 0 or 1; a change runs the box's click rule.
  void setCheck(Check c, int v);

  bool option(Option o) const { return options_[static_cast<int>(o)]; }
  // Selects an option button and clears the others of its frame (speed
  // 1-2, unit 3-8, direction 9-10); a newly selected button runs its rule.
  void selectOption(Option o);

  bool tick(Tick t) const { return ticks_[static_cast<int>(t)]; }
  void setTick(Tick t, bool on);

  using Listener = std::function<void(const Change&)>;
  // Listeners are views: they mirror the state and must not write to it.
  int addListener(Listener l);
  void removeListener(int id);

  // The rules that give the fields their behaviour (carry and borrow, click
  // rules). One of each; set by whoever assembles the main form.
  void setFieldRule(std::function<void(Field)> rule) { fieldRule_ = std::move(rule); }
  void setCheckRule(std::function<void(Check)> rule) { checkRule_ = std::move(rule); }
  void setOptionRule(std::function<void(Option)> rule) { optionRule_ = std::move(rule); }

 private:
  void notify(const Change& c);

  std::array<std::string, kFieldCount> texts_;
  std::array<int, kCheckCount> checks_{};
  std::array<bool, kOptionCount> options_{};
  std::array<bool, kTickCount> ticks_{};
  std::vector<std::pair<int, Listener>> listeners_;
  int nextListener_ = 1;
  std::function<void(Field)> fieldRule_;
  std::function<void(Check)> checkRule_;
  std::function<void(Option)> optionRule_;
};

}  // namespace velmar
