// The scratch folder a preview runs in, and the copy of the data folder put there.
#pragma once
#include <map>
#include <string>

namespace hostsim::preview {

// Makes the folder the preview runs in, its full path into scratch. requested empty:
// a new folder "hostsim-preview-YYYYMMDD-HHMMSS[-N]" under the system's temporary
// folder. Otherwise requested itself, created when missing; refused when it holds
// anything (nothing of a person's is ever overwritten) or when it is the data folder or
// lies inside it. false with the reason in error.
bool MakeScratchFolder(const std::string& requested, const std::string& dataFolder, std::string& scratch,
                       std::string& error);

// Copies every file and folder in from into to (an existing, empty folder), keeping
// the bytes; false with the reason (the first file that could not be copied).
bool CopyFolder(const std::string& from, const std::string& to, std::string& error);

// The goods files of a folder by warehouse: names "MMM<n>.MGR" in any letter case,
// n a number of 0 or more.
std::map<int, std::string> GoodsFilesIn(const std::string& folder);

// A path made whole and normal (UTF-8), its links followed as far as it exists.
std::string WholePath(const std::string& path);

// Whether path is folder or lies somewhere in it, both made whole and normal.
bool LiesIn(const std::string& path, const std::string& folder);

// The bytes of a file; empty when it does not exist.
std::string FileBytes(const std::string& path);

}  // namespace hostsim::preview
