#pragma once
// The main form without its window: the field state, the record, the
// calculation driver and the commands, assembled and wired together. The Qt
// window and velmar-cli both drive one of these.
#include <string>
#include <vector>

#include "engine/calc_record.h"
#include "engine/calculator.h"
#include "engine/form.h"
#include "engine/ports.h"
#include "stepping/date_fields.h"

namespace velmar {

inline constexpr const char* kTitleText = "Velmar  Ver2";
inline constexpr const char* kVersionText = "Velmar  Ver 2.80a";

// One entry of the command table: every menu item and window button.
struct CommandInfo {
  const char* name;      // control or menu item name
  const char* caption;   // with its "&" accelerator where it has one
  const char* shortcut;  // in QKeySequence's portable text form, or ""
  const char* guidance;  // the guidance line's hint, or ""
};

const std::vector<CommandInfo>& commandTable();
const CommandInfo* findCommand(const std::string& name);

class MainForm {
 public:
  MainForm(UiPort& ui, ClockPort& clock);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  FormModel& form() { return form_; }
  const FormModel& form() const { return form_; }
  const CalcRecord& record() const { return rec_; }
  Calculator& calculator() { return calculator_; }
  UiPort& ui() { return ui_; }
  ClockPort& clock() { return clock_; }
  DateFields& dates() { return dates_; }

  // Runs the command of that name; false when there is none.
  bool run(const std::string& name);
  // One press of the spinner of that name ("UpDown3"), +1 up or -1 down;
  // the date, time and delta T spinners calculate themselves. False when
  // there is no such spinner or the press changed nothing.
  bool spin(const std::string& name, int direction);

  // The present moment in the six date/time fields and the starting delta T.
  void fillPresentMoment();

 private:
  void wireRules();

  UiPort& ui_;
  ClockPort& clock_;
  FormModel form_;
  CalcRecord rec_;
  Calculator calculator_;
  DateFields dates_;
};

}  // namespace velmar
