// Messages, notices and the first-run dialog: 52023, 52028, 52029, 52030, 52064.
#include "host/services.h"

extern "C" {
int noticeDialog(int, int16_t*, int, const char*) { return 0; }
void messageBox(const char*, const char*, int) {}
void messageBoxFormat(const char*, const char*, int, ...) {}
void errorMessage(const char*) {}
void closeWaitMessage(void) {}
}
