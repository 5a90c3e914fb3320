// The file chooser and the warehouse choice at the console.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hostsim/screen/keys.h"

namespace hostsim {

// Whether a file name matches the mask's last part ("C:\*.*" gives "*.*"), as DOS
// matches: '*' any run of characters, '?' one, letters in either case; "*.*" matches
// every name, with or without a dot.
bool MaskMatches(std::string_view mask, std::string_view name);

// A file of the folder: its name as the system has it (UTF-8) and in the host's set.
// writable is false when Mazovia lacks some character of the name (mazovia then holds
// '?' there): the plug-in could never open such a file by that name.
struct ListedFile {
  std::string mazovia;
  std::string utf8;
  bool writable;
};

// The files (no folders) in folder whose Mazovia name matches mask, sorted bytewise by
// it; empty when the folder cannot be read.
std::vector<ListedFile> MatchingFiles(const std::string& folder, std::string_view mask);

// What the chooser's frame names: the folder it lists (made whole from the working
// folder) joined with the mask's last part, "C:\sklep\*.*" for "C:\*.*" listing C:\sklep.
std::u16string ListedFiles(const std::string& folder, std::string_view mask);

// Lists the files under listed as title (its end when it does not fit: "…" and the
// rest), the keys in the bottom line: Up, Down, PgUp, PgDn, Home and End move, Enter
// picks. A name Mazovia cannot write is shown as it is, in grey, and cannot be picked:
// with the focus on it a line below the list says why. Returns the index of the file
// picked, or -1 after Esc.
int WorkChooser(std::u16string_view listed, const std::vector<ListedFile>& files, Console& console);

// The warehouses of folder that have a goods file (MMM<number>.MGR as 52311 names it,
// no leading zero, letters in either case), in increasing order.
std::vector<int32_t> WarehousesWithGoods(const std::string& folder);

// The warehouse the entry offers for the one the plug-in gives: that one when it has a
// goods file (existing), else the first that has one, else the one given.
int32_t OfferedWarehouse(int32_t given, const std::vector<int32_t>& existing);

// Asks for a warehouse number, OfferedWarehouse filled in, listing below the warehouses
// that have goods files (existing): digits (a minus sign first; the first one typed
// replaces the number offered), Backspace, Enter confirms; a number without a goods
// file only after a second Enter on a screen that says so (Esc there goes back to the
// entry). The run cannot be cancelled here: Esc keeps the number offered, as the
// frame says. Returns the number entered (the one offered when the field is empty).
int32_t WorkWarehouse(int32_t given, const std::vector<int32_t>& existing, Console& console);

}  // namespace hostsim
