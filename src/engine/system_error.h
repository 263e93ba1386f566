#pragma once
// What the operating system's error numbers mean, in the words of the
// program's own messages: the system's texts are English whatever the
// desktop's language.
#include <string>

namespace velmar {

// One sentence for `err` (an errno value), ending in "。"; a number the
// table does not know is given as "(エラー番号 n)".
std::string systemErrorText(int err);

}  // namespace velmar
