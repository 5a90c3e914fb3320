#include "frame/lifecycle/menu_entry.h"

#include "host/mazovia.h"

MenuEntry menuEntry = {MenuCodeInne, Mz("Przecena w magazynac~h~ (Velmora)"), RepricingCommand, 0,
                       RepricingCommandHandler, 0};
