// The settings dialog's values through moon.inf to the next start: whatever
// the user types and clicks, the file the program writes gives the same
// settings back, with no message.
#include <cstddef>
#include <cstdint>

#include "config/moon_inf.h"
#include "config/settings_dialog.h"
#include "fuzz_input.h"

using namespace velmar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Line 1: the change amount typed; line 2: the loop count; line 3: the
  // clicks, one byte each (options and boxes).
  const std::vector<std::string> lines =
      fuzz::splitLines(std::string_view(reinterpret_cast<const char*>(data), size));
  if (lines.size() > 3) return -1;
  const std::string& path = fuzz::scratchPath();
  std::remove(path.c_str());

  FormModel form;
  Placements places;
  applyInf(defaultInfValues(), form, places);
  SettingsDialog dialog(form, [&](bool) { return writeInfFile(path, form, places); });
  dialog.activate();
  if (lines.size() > 2)
    for (unsigned char c : lines[2]) {
      if (c & 0x80)
        dialog.clickBox(1 + (c & 0x7F) % 8);
      else
        dialog.clickOption(1 + c % 10);
    }
  if (!lines.empty()) dialog.edit(SettingsField::ChangeAmount, lines[0]);
  if (lines.size() > 1) dialog.edit(SettingsField::LoopCount, lines[1]);
  const FileStatus saved = dialog.save();
  VELMAR_FUZZ_CHECK(saved.ok());

  const InfLoad next = readInfFile(path);
  VELMAR_FUZZ_CHECK(next.error == FileError::None);
  VELMAR_FUZZ_CHECK(next.message.empty());
  FormModel again;
  Placements placesAgain;
  applyInf(next.values, again, placesAgain);
  VELMAR_FUZZ_CHECK(formatInf(again, placesAgain) == formatInf(form, places));
  return 0;
}
