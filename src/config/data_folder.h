#pragma once
// Where the program keeps moon.inf, sokuti.dat and its export files. They
// are opened by bare name, in the working folder, so the program moves
// into that folder when it starts.
#include <string>

#include "config/text_file.h"

namespace velmar {

// The data folder for a start in `current` with the environment's HOME
// and XDG_DATA_HOME (either may be empty). A folder other than the home
// folder that already holds moon.inf or sokuti.dat is used as it is: the
// user started the program there, as always. Anywhere else (a start from
// the application menu lands in the home folder) it is the user's data
// folder, XDG_DATA_HOME/velmar, by default ~/.local/share/velmar; never the
// home folder itself.
std::string chooseDataFolder(const std::string& current, const std::string& home,
                             const std::string& dataHome);

// Creates the folder (and its parents) when missing and makes it the
// working folder; a Japanese message when that fails.
FileStatus enterDataFolder(const std::string& folder);

// Both. When the chosen folder cannot be made or entered, the default one
// under `home` is used instead and the status, though ok, carries a
// message saying so (to be shown once).
FileStatus enterChosenDataFolder(const std::string& current, const std::string& home,
                                 const std::string& dataHome);
// The same from the process's own working folder and environment.
FileStatus enterChosenDataFolder();

}  // namespace velmar
