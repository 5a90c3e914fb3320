#include "reprice/run.h"

// The repricing run. Called by the host, on its thread, when the user chooses the
// command; returns when the run has ended.
extern "C" void RunRepricing(void) {}
