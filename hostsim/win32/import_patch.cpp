#include "hostsim/win32/import_patch.h"

#include <delayimp.h>

namespace hostsim {

namespace {

// The directory of a loaded image's optional header, or null when the image has none.
template <typename T>
T* Directory(BYTE* base, int index) {
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (static_cast<DWORD>(index) >= nt->OptionalHeader.NumberOfRvaAndSizes) return nullptr;
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[index];
  if (directory.VirtualAddress == 0 || directory.Size == 0) return nullptr;
  return reinterpret_cast<T*>(base + directory.VirtualAddress);
}

// The slot of `function` in one module's import address table, given its name table;
// nameBase is added to the name table's entries (the image base, or 0 for addresses).
ULONG_PTR* FindInThunks(BYTE* nameBase, IMAGE_THUNK_DATA* names, ULONG_PTR* slots, const char* function) {
  for (; names->u1.AddressOfData != 0; ++names, ++slots) {
    if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
    auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(nameBase + names->u1.AddressOfData);
    if (lstrcmpiA(reinterpret_cast<const char*>(byName->Name), function) == 0) return slots;
  }
  return nullptr;
}

// The slot of `function` of `dll` in the image's import directory, or null.
ULONG_PTR* FindImport(BYTE* base, const char* dll, const char* function) {
  auto* descriptor = Directory<IMAGE_IMPORT_DESCRIPTOR>(base, IMAGE_DIRECTORY_ENTRY_IMPORT);
  for (; descriptor && descriptor->Name != 0; ++descriptor) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), dll) != 0) continue;
    DWORD names = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
    if (ULONG_PTR* slot = FindInThunks(base, reinterpret_cast<IMAGE_THUNK_DATA*>(base + names),
                                       reinterpret_cast<ULONG_PTR*>(base + descriptor->FirstThunk), function))
      return slot;
  }
  return nullptr;
}

// Delay-import descriptors hold RVAs when bit 0 of their attributes is set, else
// (the old layout) virtual addresses.
BYTE* DelayAddress(BYTE* base, const ImgDelayDescr& descriptor, DWORD value) {
  if (descriptor.grAttrs & dlattrRva) return base + value;
  return reinterpret_cast<BYTE*>(static_cast<ULONG_PTR>(value));
}

// The slot of `function` of `dll` in the image's delay-import directory, or null.
ULONG_PTR* FindDelayImport(BYTE* base, const char* dll, const char* function) {
  auto* descriptor = Directory<ImgDelayDescr>(base, IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT);
  for (; descriptor && descriptor->rvaDLLName != 0; ++descriptor) {
    const auto* name = reinterpret_cast<const char*>(DelayAddress(base, *descriptor, descriptor->rvaDLLName));
    if (lstrcmpiA(name, dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(DelayAddress(base, *descriptor, descriptor->rvaINT));
    auto* slots = reinterpret_cast<ULONG_PTR*>(DelayAddress(base, *descriptor, descriptor->rvaIAT));
    BYTE* nameBase = (descriptor->grAttrs & dlattrRva) ? base : nullptr;
    if (ULONG_PTR* slot = FindInThunks(nameBase, names, slots, function)) return slot;
  }
  return nullptr;
}

}  // namespace

void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(module);
  ULONG_PTR* slot = FindImport(base, dll, function);
  if (!slot) slot = FindDelayImport(base, dll, function);
  if (!slot) return nullptr;
  DWORD protection;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) return nullptr;
  void* previous = reinterpret_cast<void*>(*slot);
  *slot = reinterpret_cast<ULONG_PTR>(replacement);
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return previous;
}

int RebindFunction(HMODULE module, const void* bound, void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  int changed = 0;
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (!(section->Characteristics & IMAGE_SCN_MEM_WRITE)) continue;
    auto* cells = reinterpret_cast<ULONG_PTR*>(base + section->VirtualAddress);
    DWORD count = section->Misc.VirtualSize / sizeof(ULONG_PTR);
    for (DWORD c = 0; c < count; ++c)
      if (cells[c] == reinterpret_cast<ULONG_PTR>(bound)) {
        cells[c] = reinterpret_cast<ULONG_PTR>(replacement);
        ++changed;
      }
  }
  return changed;
}

}  // namespace hostsim
