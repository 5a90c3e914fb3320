#include "tests/bridging/loaded_image.h"

#include <cstdint>
#include <cstring>

namespace {

// The loaded image: every RVA is relative to it.
char* Base(HMODULE module) { return reinterpret_cast<char*>(module); }

// Data directory `index` of the optional header; empty when the image has fewer.
IMAGE_DATA_DIRECTORY Directory(HMODULE module, int index) {
  auto dos = reinterpret_cast<IMAGE_DOS_HEADER*>(module);
  auto nt = reinterpret_cast<IMAGE_NT_HEADERS32*>(Base(module) + dos->e_lfanew);
  if (static_cast<DWORD>(index) >= nt->OptionalHeader.NumberOfRvaAndSizes) return {};
  return nt->OptionalHeader.DataDirectory[index];
}

// The slot in `slots` whose name-table entry in `names` is `function`.
void** FindByName(HMODULE module, IMAGE_THUNK_DATA32* names, void** slots, const char* function) {
  for (int i = 0; names[i].u1.AddressOfData; ++i) {
    if (IMAGE_SNAP_BY_ORDINAL32(names[i].u1.Ordinal)) continue;
    auto byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(Base(module) + names[i].u1.AddressOfData);
    if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) return &slots[i];
  }
  return nullptr;
}

}  // namespace

void** ImportSlot(HMODULE module, const char* dll, const char* function) {
  IMAGE_DATA_DIRECTORY directory = Directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
  if (!directory.VirtualAddress) return nullptr;
  for (auto d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(Base(module) + directory.VirtualAddress); d->Name; ++d) {
    if (_stricmp(Base(module) + d->Name, dll) != 0) continue;
    auto names = reinterpret_cast<IMAGE_THUNK_DATA32*>(Base(module) + (d->OriginalFirstThunk ? d->OriginalFirstThunk
                                                                                               : d->FirstThunk));
    if (void** slot = FindByName(module, names, reinterpret_cast<void**>(Base(module) + d->FirstThunk), function))
      return slot;
  }
  return nullptr;
}

ImgDelayDescr* DelayDescriptor(HMODULE module, const char* dll) {
  IMAGE_DATA_DIRECTORY directory = Directory(module, IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT);
  if (!directory.VirtualAddress) return nullptr;
  for (auto d = reinterpret_cast<ImgDelayDescr*>(Base(module) + directory.VirtualAddress); d->rvaDLLName; ++d)
    if ((d->grAttrs & dlattrRva) && _stricmp(Base(module) + d->rvaDLLName, dll) == 0) return d;
  return nullptr;
}

void** DelayImportSlot(HMODULE module, const char* dll, const char* function) {
  ImgDelayDescr* d = DelayDescriptor(module, dll);
  if (!d) return nullptr;
  return FindByName(module, reinterpret_cast<IMAGE_THUNK_DATA32*>(Base(module) + d->rvaINT),
                    reinterpret_cast<void**>(Base(module) + d->rvaIAT), function);
}

unsigned char FirstCodeByte(const void* address) { return *static_cast<const unsigned char*>(address); }

// The cell a wrapper calls its system function through, read from the wrapper's code:
// 9C (pushf), 60 (pushal), one FF 74 24 d8 (push [esp+d8]) per argument, then
// FF 15 m32 (call [m32]); m32 is the cell.
void** WrapperCell(void* wrapper) {
  auto code = static_cast<const unsigned char*>(wrapper);
  if (code[0] != 0x9C || code[1] != 0x60) return nullptr;
  int at = 2;
  while (code[at] == 0xFF && code[at + 1] == 0x74) at += 4;
  if (code[at] != 0xFF || code[at + 1] != 0x15) return nullptr;
  uint32_t cell;
  std::memcpy(&cell, code + at + 2, 4);
  return reinterpret_cast<void**>(cell);
}
