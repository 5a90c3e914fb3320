#include "frame/bridging/delay_load.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

// The one function of "ILOCK.dll", bound by the system loader: its import cell.
extern "C" LONG(WINAPI* const ilockInterlockedExchange)(LONG volatile* target, LONG value) __asm__(
    "__imp__InterlockedExchange@8");

static constexpr DWORD ModuleNotFound = VcppException(ERROR_SEVERITY_ERROR, ERROR_MOD_NOT_FOUND);
static constexpr DWORD ProcedureNotFound = VcppException(ERROR_SEVERITY_ERROR, ERROR_PROC_NOT_FOUND);
static_assert(ModuleNotFound == 0xC06D007E && ProcedureNotFound == 0xC06D007F);
static_assert(sizeof(DelayLoadInfo) == 36 && sizeof(ImgDelayDescr) == 32);

// The plug-in's own image, which every RVA of a descriptor is relative to.
static char* Image() { return reinterpret_cast<char*>(&__ImageBase); }

// Raises a delay-load exception about `info`. A handler that continues execution
// may have put a function into info->pfnCur; that is returned. Without one there is
// nothing to continue into, so the exception is raised again as non-continuable.
static FARPROC RaiseDelayLoadFailure(DWORD code, DelayLoadInfo* info) {
  info->dwLastError = GetLastError();
  ULONG_PTR parameter = reinterpret_cast<ULONG_PTR>(info);
  RaiseException(code, 0, 1, &parameter);
  if (info->pfnCur) return info->pfnCur;
  for (;;) RaiseException(code, EXCEPTION_NONCONTINUABLE, 1, &parameter);
}

// Fills in which function the slot stands for, from the descriptor's name table.
static void DescribeImport(const ImgDelayDescr* descriptor, FARPROC* slot, DelayLoadInfo* info) {
  auto slots = reinterpret_cast<FARPROC*>(Image() + descriptor->rvaIAT);
  auto names = reinterpret_cast<const IMAGE_THUNK_DATA32*>(Image() + descriptor->rvaINT);
  const IMAGE_THUNK_DATA32& name = names[slot - slots];
  *info = {};
  info->cb = sizeof *info;
  info->pidd = descriptor;
  info->ppfn = slot;
  info->szDll = Image() + descriptor->rvaDLLName;
  info->dlp.fImportByName = !IMAGE_SNAP_BY_ORDINAL32(name.u1.Ordinal);
  if (info->dlp.fImportByName)
    info->dlp.szProcName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(Image() + name.u1.AddressOfData)->Name;
  else
    info->dlp.dwOrdinal = IMAGE_ORDINAL32(name.u1.Ordinal);
}

// The descriptor's module, loaded and published on its first use. Two threads may
// load it at once: each publishes its handle, and the one that finds its own handle
// already there drops the extra reference it took.
static HMODULE ModuleOf(DelayLoadInfo* info) {
  auto cell = reinterpret_cast<HMODULE volatile*>(Image() + info->pidd->rvaHmod);
  if (HMODULE module = *cell) return module;
  auto module = reinterpret_cast<HMODULE>(DelayLoadHook(dliNotePreLoadLibrary, info));
  if (!module) module = LoadLibraryA(info->szDll);
  if (!module) return nullptr;
  auto previous = ilockInterlockedExchange(reinterpret_cast<LONG volatile*>(cell), reinterpret_cast<LONG>(module));
  if (reinterpret_cast<HMODULE>(previous) == module) FreeLibrary(module);
  return module;
}

FARPROC ResolveDelayImport(const ImgDelayDescr* descriptor, FARPROC* slot) {
  DelayLoadInfo info;
  DescribeImport(descriptor, slot, &info);
  info.hmodCur = ModuleOf(&info);
  if (!info.hmodCur) return RaiseDelayLoadFailure(ModuleNotFound, &info);
  FARPROC function = DelayLoadHook(dliNotePreGetProcAddress, &info);
  if (!function)
    function = GetProcAddress(info.hmodCur, info.dlp.fImportByName ? info.dlp.szProcName
                                                                    : MAKEINTRESOURCEA(info.dlp.dwOrdinal));
  if (!function) return RaiseDelayLoadFailure(ProcedureNotFound, &info);
  *slot = function;
  return function;
}
