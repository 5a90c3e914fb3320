// The stand-in's price-change journal (ZMIANYCEN.TXT in the data folder): what the
// goods services stored, nothing else. A price-change note (52411) is held until the
// store (52280) of that record and journaled only when the store was carried out.
#pragma once
#include <string>

namespace hostsim {

// The journal's file name inside the data folder.
inline constexpr const char* PriceJournalName = "ZMIANYCEN.TXT";

// The header's date and time, "YYYY-MM-DD HH:MM:SS" in local time by default; tests
// put a fixed clock here. ResetPriceJournal brings the real clock back.
extern std::string (*journalClock)();

// Starts a run in the journal: one header line "--- <date time>; magazyn <n>
// (<goods file>)[; plik cen <path>]". Called when an update cursor opens goodsFile.
void StartJournalRun(const std::string& goodsFile);

// Where the header of the last run StartJournalRun started lies in the journal: its
// offset in bytes (0 before the first).
long long LastJournalRunStart();

// Holds a note: the record buffer it was given, its image before the change and the
// text; a later note replaces it.
void HoldPriceNote(const void* record, const void* before, const char* text);

// A store of the record buffer `record` was carried out: journals the held note of that
// buffer when the stored record differs from its image before the change (net, gross
// or name); returns whether a line was written. The note is dropped either way.
bool JournalStoredRecord(const void* record);

// Journals an undo of a run: a header "--- <date time>; magazyn <n> (<goods file>);
// cofnięcie przebiegu z <run time> (kopia <backup>)", then for each record whose net,
// gross or name goes back a line "Cofnięcie przebiegu: <symbol>; netto ...", as a
// store's (current: the file before the undo, restored: after it).
void JournalUndo(const std::string& goodsFile, const std::string& runTime, const std::string& backup,
                 const std::string& current, const std::string& restored);

// The warehouse number of a goods file named "MMM<n>.MGR" (any letter case, a path
// allowed), or "?" for a file named otherwise.
std::string GoodsFileWarehouse(const std::string& goodsFile);

// Drops a held note (a fetch, a close, a store that failed): it is never journaled.
void DropPriceNote();

// No held note, the real clock.
void ResetPriceJournal();

}  // namespace hostsim
