#pragma once
// What every save dialog of the program shares: the folder it opens in,
// how a typed name and the picked filter make the file's name and type,
// and the question before a file the dialog never named is replaced.
#include <optional>
#include <string>
#include <vector>

#include "engine/ports.h"

namespace velmar {

// The user's documents folder (XDG_DOCUMENTS_DIR in user-dirs.dirs, else
// ~/Documents when it exists, else the home folder), for environments
// given as values so that tests need not change the process's own.
std::string documentsFolder(const std::string& home, const std::string& configHome);
// The same for this process.
std::string documentsFolder();

// The folder a save dialog opens in: the last one a file was saved to in
// this session, at first the documents folder.
std::string saveFolder();
// A file went to `path`: the next dialog opens in its folder.
void rememberSaveFolder(const std::string& path);
// `name` in saveFolder() when it names no folder of its own.
std::string offeredPath(const std::string& name);

// The file a dialog's choice stands for, among `filters` (patterns
// "*.ext"). A name ending in one of the filters' extensions, in any case,
// is kept and takes that filter's type; any other name takes the picked
// filter's type and gets its extension added.
struct SaveName {
  std::string path;
  int filter = 0;
  bool extended = false;  // the extension was added after the dialog
};
SaveName saveName(const FileChoice& choice, const std::vector<FileFilter>& filters);

// The dialog asked about replacing the name it returned, not the longer
// one: when an extension was added and a file of that name is there, asks
// before it is replaced. False when the user keeps that file.
bool mayReplaceExtended(UiPort& ui, const std::string& title, const SaveName& name);

}  // namespace velmar
