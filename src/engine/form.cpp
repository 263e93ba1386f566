#include "engine/form.h"

#include "engine/numtext.h"

namespace velmar {

const char* fieldName(Field f) {
  static const char* const names[kFieldCount] = {
      "",       "Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",
      "Text7",  "Text8",  "Text9",  "Text10", "Text11", "Text12", "Text13",
      "Text14", "Text15", "Text16", "Text17", "Text18", "Text19", "Text20",
      "Text21", "Text22", "Text23", "Text24", "Text25"};
  return names[static_cast<int>(f)];
}

FormModel::FormModel() {
  // The design state of the window: high precision checked.
  ticks_[static_cast<int>(Tick::hqcalc)] = true;
  ticks_[static_cast<int>(Tick::automem)] = true;
  ticks_[static_cast<int>(Tick::guid)] = true;
}

double FormModel::value(Field f) const { return velmar::value(text(f)); }

void FormModel::setText(Field f, std::string_view text) {
  std::string& slot = texts_[static_cast<int>(f)];
  if (slot == text) return;
  slot.assign(text.data(), text.size());
  notify({Change::Kind::Field, static_cast<int>(f)});
  if (fieldRule_) fieldRule_(f);
}

void FormModel::setCheck(Check c, int v) {
  int& slot = checks_[static_cast<int>(c)];
  v = v ? 1 : 0;
  if (slot == v) return;
  slot = v;
  notify({Change::Kind::Check, static_cast<int>(c)});
  if (checkRule_) checkRule_(c);
}

void FormModel::setOption(Option o, bool on) {
  bool& slot = options_[static_cast<int>(o)];
  if (slot == on) return;
  slot = on;
  notify({Change::Kind::Option, static_cast<int>(o)});
  if (on && optionRule_) optionRule_(o);
}

void FormModel::setTick(Tick t, bool on) {
  bool& slot = ticks_[static_cast<int>(t)];
  if (slot == on) return;
  slot = on;
  notify({Change::Kind::Tick, static_cast<int>(t)});
}

int FormModel::addListener(Listener l) {
  int id = nextListener_++;
  listeners_.emplace_back(id, std::move(l));
  return id;
}

void FormModel::removeListener(int id) {
  // Only blanked here: a listener may remove itself while being notified.
  for (auto& p : listeners_)
    if (p.first == id) p.second = nullptr;
}

void FormModel::notify(const Change& c) {
  for (size_t i = 0; i < listeners_.size(); ++i)
    if (listeners_[i].second) listeners_[i].second(c);
}

}  // namespace velmar
