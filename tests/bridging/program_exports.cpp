// Functions this test program exports under plain names, standing in for the host
// program's own exports (the second place a function of "EMU32.dll" is looked for).
// GetConsoleSelectionInfo is a name that the system module of this Wine lacks;
// GetSystemDefaultLangID one that it has, so the system's must win.
extern "C" __declspec(dllexport) int __stdcall GetConsoleSelectionInfo(void* info) {
  if (info) *static_cast<unsigned*>(info) = 0x5E1EC7;
  return 7;
}
extern "C" __declspec(dllexport) unsigned short __stdcall GetSystemDefaultLangID() { return 0x0E0E; }
