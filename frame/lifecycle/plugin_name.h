// The plug-in's name towards the host.
#pragma once
#include "host/mazovia.h"

// 35 characters and the terminator.
inline constexpr auto PluginName = MzArray("Przecena w kilku magazynach z pliku");
static_assert(PluginName.size() == 36);
