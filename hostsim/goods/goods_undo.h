// Taking a run back: the goods file of a warehouse's last run is put back as the
// run's backup holds it, only when the file is still as that run left it.
#pragma once
#include <string>

namespace hostsim {

// Puts back the goods file of the newest run of the index that is not yet undone, of
// `warehouse` ("" = the warehouse of the newest such run of any), journals the undo
// and marks the run "undone <date time>", so that the next call goes one run further
// back. Returns true when done, with message saying what was put back; false when it
// refuses, nothing changed, with message saying why: no index or no such run, a run
// that never ended, a goods file that is not as the run left it (which records differ),
// a missing or damaged backup, a file that cannot be written.
bool UndoLastRun(const std::string& warehouse, std::string& message);

}  // namespace hostsim
