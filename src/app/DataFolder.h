/// \file
/// Where a program finds its data: the engine's paths stay relative ("Data/...", "shaders/..."), so a
/// program started outside such a folder moves into the data folder of an installation.
#pragma once

#include <string>
#include <vector>

/// The installed data folders to try, in order: the one of the installation `executable` belongs to
/// (`PREFIX/share/korvel` for `PREFIX/bin/NAME`), `fallback` when not empty, then korvel/ below each
/// folder of `xdgDataDirs` (colon-separated; /usr/local/share:/usr/share when null or empty).
std::vector<std::string> DataFolderCandidates(const std::string& executable, const std::string& fallback,
                                              const char* xdgDataDirs);

/// `workingDir` when it holds Data or shaders (a folder with any of the data is the user's own);
/// otherwise the first candidate that holds both; empty when none does.
std::string FindDataFolder(const std::string& workingDir, const std::vector<std::string>& candidates);

/// Changes the working directory to the folder FindDataFolder picks for the running program (its
/// executable found through /proc/self/exe, so a moved installation keeps working; XDG_DATA_DIRS from
/// the environment). Call it at start, after any path the user gave has been made absolute. False
/// when no folder with the data was found; the working directory is then left as it was.
bool EnterDataFolder(const std::string& fallback = "");
