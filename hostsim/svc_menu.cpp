// The host's menu, build date and goods table descriptor: 52006, 52081, 52082, 52256.
#include "host/records.h"
#include "host/services.h"

extern "C" {
uint32_t dateNumber(const char*) { return 0; }
int addMenuCommand(const MenuEntry*) { return 0; }
void removeMenuCommand(int) {}
void* tableDescriptor(int) { return nullptr; }
}
