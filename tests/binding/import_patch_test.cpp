// Finding and replacing import slots: in this program's own import directory, and in
// delay-import directories of images built here in memory (both descriptor layouts:
// RVAs, and the older virtual addresses).
#include <windows.h>

#include <delayimp.h>
#include <gtest/gtest.h>

#include <cstring>

#include "hostsim/win32/import_patch.h"

namespace {

int WINAPI AnswerRetry(HWND, LPCSTR, LPCSTR, UINT) { return IDRETRY; }

TEST(PatchImport, ReplacesAndRestoresAnImportOfThisProgram) {
  HMODULE self = GetModuleHandleA(nullptr);
  void* original = hostsim::PatchImport(self, "USER32.DLL", "messageboxa", reinterpret_cast<void*>(&AnswerRetry));
  ASSERT_EQ(original, reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "MessageBoxA")));
  EXPECT_EQ(MessageBoxA(nullptr, "never shown", "test", MB_OK), IDRETRY);
  EXPECT_EQ(hostsim::PatchImport(self, "user32.dll", "MessageBoxA", original),
            reinterpret_cast<void*>(&AnswerRetry));
}

TEST(PatchImport, FindsNothingForAnotherModuleOrFunction) {
  HMODULE self = GetModuleHandleA(nullptr);
  int marker = 0;
  EXPECT_EQ(hostsim::PatchImport(self, "gdi32.dll", "MessageBoxA", &marker), nullptr);
  EXPECT_EQ(hostsim::PatchImport(self, "user32.dll", "MessageBoxExA", &marker), nullptr);
  EXPECT_EQ(hostsim::PatchImport(self, "user32", "MessageBoxA", &marker), nullptr);
}

DWORD WINAPI MarkedProcessId() { return 4242; }
// A call through the import slot as it stands (the compiler keeps the slot's content
// across calls within one function).
__attribute__((noinline)) DWORD ProcessId() { return GetCurrentProcessId(); }

// This program's import slot of GetCurrentProcessId holds what the loader bound; every
// cell holding it gets the replacement, and the same call puts the function back.
TEST(RebindFunction, ReplacesTheBoundFunctionWhereverTheModuleHoldsIt) {
  HMODULE self = GetModuleHandleA(nullptr);
  auto* bound = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetCurrentProcessId"));
  DWORD real = ProcessId();
  ASSERT_NE(real, 4242u);
  int changed = hostsim::RebindFunction(self, bound, reinterpret_cast<void*>(&MarkedProcessId));
  EXPECT_GE(changed, 1);
  EXPECT_EQ(ProcessId(), 4242u);
  EXPECT_EQ(hostsim::RebindFunction(self, reinterpret_cast<void*>(&MarkedProcessId), bound), changed);
  EXPECT_EQ(ProcessId(), real);
  int marker = 0;
  EXPECT_EQ(hostsim::RebindFunction(self, &marker, bound), 0);  // an address the module does not hold
}

// A minimal loaded image whose only directory is a delay-import directory for
// USER32.dll: MessageBoxW by name, one import by ordinal, MessageBoxA by name.
class DelayImage {
 public:
  explicit DelayImage(bool rvaLayout) {
    base_ = static_cast<BYTE*>(VirtualAlloc(nullptr, 0x1000, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    auto* dos = At<IMAGE_DOS_HEADER>(0);
    dos->e_magic = IMAGE_DOS_SIGNATURE;
    dos->e_lfanew = 0x40;
    auto* nt = At<IMAGE_NT_HEADERS>(0x40);
    nt->Signature = IMAGE_NT_SIGNATURE;
    nt->OptionalHeader.NumberOfRvaAndSizes = IMAGE_NUMBEROF_DIRECTORY_ENTRIES;
    nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT] = {0x200, 2 * sizeof(ImgDelayDescr)};
    auto* descriptor = At<ImgDelayDescr>(0x200);
    descriptor->grAttrs = rvaLayout ? dlattrRva : 0;
    descriptor->rvaDLLName = Address(0x400, rvaLayout);
    descriptor->rvaINT = Address(0x480, rvaLayout);
    descriptor->rvaIAT = Address(0x500, rvaLayout);
    std::strcpy(At<char>(0x400), "USER32.dll");
    std::strcpy(At<char>(0x602), "MessageBoxW");
    std::strcpy(At<char>(0x622), "MessageBoxA");
    auto* names = At<DWORD>(0x480);
    names[0] = Address(0x600, rvaLayout);
    names[1] = IMAGE_ORDINAL_FLAG32 | 2000;
    names[2] = Address(0x620, rvaLayout);
    auto* slots = At<DWORD>(0x500);
    slots[0] = 0x1111;
    slots[1] = 0x2222;
    slots[2] = 0x3333;
  }
  ~DelayImage() { VirtualFree(base_, 0, MEM_RELEASE); }
  HMODULE module() const { return reinterpret_cast<HMODULE>(base_); }
  DWORD slot(int i) const { return At<DWORD>(0x500)[i]; }

 private:
  template <typename T>
  T* At(DWORD rva) const { return reinterpret_cast<T*>(base_ + rva); }
  DWORD Address(DWORD rva, bool rvaLayout) const {
    return rvaLayout ? rva : static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(base_ + rva));
  }
  BYTE* base_;
};

TEST(PatchImport, ReplacesADelayImportInEitherLayout) {
  for (bool rvaLayout : {true, false}) {
    SCOPED_TRACE(rvaLayout ? "RVA layout" : "address layout");
    DelayImage image(rvaLayout);
    auto* replacement = reinterpret_cast<void*>(0x4444);
    EXPECT_EQ(hostsim::PatchImport(image.module(), "user32.dll", "MessageBoxA", replacement),
              reinterpret_cast<void*>(0x3333));
    EXPECT_EQ(image.slot(2), 0x4444u);
    EXPECT_EQ(image.slot(0), 0x1111u);  // its neighbours untouched
    EXPECT_EQ(image.slot(1), 0x2222u);
    EXPECT_EQ(hostsim::PatchImport(image.module(), "user32.dll", "MessageBoxExA", replacement), nullptr);
    EXPECT_EQ(hostsim::PatchImport(image.module(), "kernel32.dll", "MessageBoxA", replacement), nullptr);
  }
}

}  // namespace
