// The plug-in's one menu command as handed to the host (host service 52081).
#pragma once
#include "host/records.h"

extern MenuEntry menuEntry;

// The handler the host calls when the user chooses the command: RunRepricing inside
// the structured-exception frame of guard.S.
extern "C" void RepricingCommandHandler(void);
