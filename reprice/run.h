// The plug-in's menu command: one call is one repricing run.
#pragma once

extern "C" void RunRepricing(void);
