// What the load call decides and shows after the plug-in is ready to run.
#pragma once
#include <cstdint>

// Checks the host (capability, build date, goods table layout) and registers the
// menu command. 0: the host fits; -1: refused, the reason shown through host
// service 52030 (after the registration when the goods table is the reason).
int32_t RunLoadChecks();

// Shows the notice about the new menu command unless the setting "Pytaj" of section
// "Przecenamag" says it was dealt with; stores what the host's notice dialog left.
void ShowFirstRunNotice();
