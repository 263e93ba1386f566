#pragma once
// The main window's working state, without any toolkit.
//
// The text fields are the program's working interface: results are written
// into them and other steps read them back by value(). This model is the
// single source of truth; a window only mirrors it and forwards the user's
// input to it.
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fields.h"
#include "engine/numtext.h"
#include "engine/signal.h"

namespace velmar {

// What changed, for listeners.
struct Change {
  enum class Kind { Field, Check, Option, Tick } kind;
  int id;
};

// A copy of the form's values, for comparing or restoring; it carries no
// rules and no subscribers.
struct FormState {
  std::array<std::string, kFieldCount> texts;
  std::array<int, kCheckCount> checks{};
  std::array<bool, kOptionCount> options{};
  std::array<bool, kTickCount> ticks{};
  bool operator==(const FormState& o) const {
    return texts == o.texts && checks == o.checks && options == o.options && ticks == o.ticks;
  }
  bool operator!=(const FormState& o) const { return !(*this == o); }
};

class FormModel {
 public:
  FormModel();
  // A copy would carry rules and subscribers that point at the original's
  // collaborators.
  FormModel(const FormModel&) = delete;
  FormModel& operator=(const FormModel&) = delete;

  // Ask again after a write: a reference kept across setFixed may still
  // show the text as it was.
  const std::string& text(Field f) const {
    const int i = static_cast<int>(f);
    if (fixed_[i].due) writeFixed(i);
    return state_.texts[i];
  }
  // value() of the field's text. Read back after every step of a search, so
  // each text is converted once, when first asked for.
  double value(Field f) const {
    const int i = static_cast<int>(f);
    if (!valueKnown_[i]) {
      values_[i] = parse(i);
      valueKnown_[i] = true;
    }
    return values_[i];
  }
  // Writes a field. Writing its own text again is no change: nothing is
  // notified and no rule runs. Otherwise listeners are told, then the
  // field's change rule runs (which may write further fields at once).
  void setText(Field f, std::string_view text);
  // Writes x with a fixed mask, exactly as setText(f, formatFixed(x, ...))
  // would: the same change, notified and ruled the same way. The text itself
  // is made when it is first read; a search that nobody watches writes
  // results hundreds of times and reads none of them.
  void setFixed(Field f, double x, int intDigits, int decimals, bool leadingBlank);
  void setFixed(Field f, double x, FixedMask m) {
    setFixed(f, x, m.intDigits, m.decimals, m.leadingBlank);
  }
  // Writes x in the general numeric text form, exactly as
  // setText(f, formatGeneral(x)) would, the text made when first read.
  void setGeneral(Field f, double x);
  // The same two writes for a result whose shown value (what its text
  // reads back as, astro/rounding.h) the caller has already: after a write
  // of the same kind, equal shown values (bit for bit) are equal texts, so
  // the change is decided without forming the digits again.
  void setFixedShown(Field f, double x, double shown, FixedMask m);
  void setGeneralShown(Field f, double x, double shown);

  int check(Check c) const { return state_.checks[static_cast<int>(c)]; }
  // Sets a check box to 0 or 1; a change runs the box's click rule.
  void setCheck(Check c, int v);

  bool option(Option o) const { return state_.options[static_cast<int>(o)]; }
  // Selects an option button and clears the others of its frame (speed
  // 1-2, unit 3-8, direction 9-10); a newly selected button runs its rule.
  void selectOption(Option o);

  bool tick(Tick t) const { return state_.ticks[static_cast<int>(t)]; }
  void setTick(Tick t, bool on);

  // Told of every change before the change's rule runs. Subscribers are
  // views: they mirror the state and must not write to it.
  Signal<const Change&>& changed() { return changed_; }
  // While held, listeners hear nothing; what changed meanwhile is told once
  // per field, box, option and tick when the hold is flushed or ends. The
  // rules run as always. For a long run that the window shows only now and
  // then.
  void holdChanges(bool on);
  void flushChanges();

  FormState state() const;

  // Marks the writes of a search, a loop step or a restore, for as long as
  // it lives: they move the instant for the program, they are no entry of
  // the user's, so no rule takes them for the entry the keypad waits for.
  class ProgramWrites {
   public:
    explicit ProgramWrites(FormModel& form) : form_(form) { ++form_.programWrites_; }
    ~ProgramWrites() { --form_.programWrites_; }
    ProgramWrites(const ProgramWrites&) = delete;
    ProgramWrites& operator=(const ProgramWrites&) = delete;

   private:
    FormModel& form_;
  };
  bool programWriting() const { return programWrites_ > 0; }

  // The rules that give the fields their behaviour (carry and borrow, click
  // rules). One of each; set by whoever assembles the main form.
  void setFieldRule(std::function<void(Field)> rule) { fieldRule_ = std::move(rule); }
  void setCheckRule(std::function<void(Check)> rule) { checkRule_ = std::move(rule); }
  void setOptionRule(std::function<void(Option)> rule) { optionRule_ = std::move(rule); }

 private:
  void notify(const Change& c) {
    if (held_) {
      pending_[static_cast<int>(c.kind)][c.id] = true;
      return;
    }
    if (!changed_.empty()) changed_(c);
  }
  double parse(int i) const;
  // Makes the text of a field written by setFixed.
  void writeFixed(int i) const;

  // A field's last setFixed, while its text is that write's text.
  struct Fixed {
    bool on = false;
    bool due = false;  // the text is still to be made
    double x = 0;
    FixedKey key;
    int intDigits = 0;
    int decimals = 0;
    bool leadingBlank = false;
    bool general = false;  // formatGeneral's text, its digits at `decimals`
    bool keyKnown = false;  // `key` holds the text's digits
  };
  // A write whose text its digits decide, in the shape of `shape` (a mask,
  // or the general form at a number of decimals).
  void setKeyed(Field f, double x, const FixedKey& key, const Fixed& shape);
  // Whether the field's known value is `shown`, bit for bit.
  bool sameShown(int i, double shown) const;
  void takeShown(int i, Field f, double x, double shown);

  // Mutable for the texts that setFixed leaves to be made when read.
  mutable FormState state_;
  mutable std::array<Fixed, kFieldCount> fixed_{};
  std::string scratch_;
  // The values of the texts as far as they have been read since they last
  // changed.
  mutable std::array<double, kFieldCount> values_{};
  mutable std::array<bool, kFieldCount> valueKnown_{};
  Signal<const Change&> changed_;
  bool held_ = false;
  // By kind, then id: what changed while held.
  static constexpr int kMaxIds = std::max({kFieldCount, kCheckCount, kOptionCount, kTickCount});
  std::array<std::array<bool, kMaxIds>, 4> pending_{};
  std::function<void(Field)> fieldRule_;
  std::function<void(Check)> checkRule_;
  std::function<void(Option)> optionRule_;
  int programWrites_ = 0;
};

// The loop count as the continuous calculation and the outputs count it.
inline double loopCount(const FormModel& form) { return form.value(Field::LoopCount); }

// The six texts of the instant, year first (kInstantFields).
using InstantTexts = std::array<std::string, 6>;
InstantTexts readInstant(const FormModel& form);
// Writes the six texts one after the other, year first, each through its
// field's rule, as a user typing them would.
void writeInstant(FormModel& form, const InstantTexts& texts);
// year "/" month "/" day " " hour ":" minute ":" second, the texts as they
// stand: what the views put after their names in their titles.
std::string instantTitle(const FormModel& form);

}  // namespace velmar
