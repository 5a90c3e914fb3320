// The history of the runs that stored into goods files, as `hostsim.exe --history`
// lists it from the backup index (goods_backup.h).
#pragma once
#include <string>

#include "hostsim/goods/goods_backup.h"

namespace hostsim {

// The runs of the index as a table (UTF-8, a heading line, then one line per run,
// newest first): date and time, warehouse, price file, price lines read, records
// changed, changes failed, whether the run was undone (and when), its backup in the
// backup folder. An index that does not exist gives one line that says so. false with
// the reason when the index cannot be read.
bool RunHistory(std::string& text, std::string& error);

// How the runs are named to people: "the run of <time> of warehouse <n> (<goods file>;
// price file <path>; <n> lines read, <n> changed, <n> failed)", the price file and the
// counts only when known.
std::string RunName(const BackupRun& run);

}  // namespace hostsim
