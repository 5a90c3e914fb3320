// One call into the plug-in as the stand-in brackets it.
#pragma once

namespace hostsim {

// Brackets one call into the plug-in: appended files are held open from the first
// append until the call returns, when they are flushed and closed, the stores of a
// goods cursor still open are written and its run recorded as it left the file. Each
// call is a run of its own for the notes of runs that did nothing (svc_messages.h).
void EnterPluginCall();
void LeavePluginCall();

}  // namespace hostsim
