#include "hostsim/win32/mazovia_files.h"

#include <windows.h>

#include <string>

#include "host/charsets.h"
#include "hostsim/win32/import_patch.h"

namespace hostsim {
namespace {

// A file name in Mazovia as the wide functions take it; every byte is a character of
// the set, so the conversion never fails. A null name stays null.
class WideName {
 public:
  explicit WideName(LPCSTR mazovia) : null_(!mazovia) {
    for (; mazovia && *mazovia; ++mazovia) text_ += static_cast<wchar_t>(charsets::MazoviaToUnicode(*mazovia));
  }
  LPCWSTR get() const { return null_ ? nullptr : text_.c_str(); }

 private:
  bool null_;
  std::wstring text_;
};

// The list: one row per function whose first argument is one file name, by its name
// without the A or W, its result, then the types of its arguments after the name. Each
// row gives NameInMazovia<the types>, which converts the name and calls NameW with the
// other arguments unchanged (so its result and last-error value are the system's).
#define MAZOVIA_FILE_FUNCTIONS(X)                                                  \
  X(CreateFile, HANDLE, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) \
  X(DeleteFile, BOOL)                                                              \
  X(GetFileAttributes, DWORD)                                                      \
  X(SetFileAttributes, BOOL, DWORD)                                                \
  X(CreateDirectory, BOOL, LPSECURITY_ATTRIBUTES)                                  \
  X(RemoveDirectory, BOOL)                                                         \
  X(SetCurrentDirectory, BOOL)

#define IN_MAZOVIA(Name, Result, ...)                            \
  template <typename... Rest>                                    \
  Result WINAPI Name##InMazovia(LPCSTR name, Rest... rest) {     \
    return Name##W(WideName(name).get(), rest...);               \
  }
MAZOVIA_FILE_FUNCTIONS(IN_MAZOVIA)
#undef IN_MAZOVIA

// MoveFileA takes two names.
BOOL WINAPI MoveFileInMazovia(LPCSTR from, LPCSTR to) { return MoveFileW(WideName(from).get(), WideName(to).get()); }

struct Replacement {
  const char* function;  // the KERNEL32 function the plug-in imports
  void* replacement;
};

const Replacement Replacements[] = {
#define ROW(Name, Result, ...) {#Name "A", reinterpret_cast<void*>(&Name##InMazovia<__VA_ARGS__>)},
    MAZOVIA_FILE_FUNCTIONS(ROW)
#undef ROW
    {"MoveFileA", reinterpret_cast<void*>(&MoveFileInMazovia)},
};

}  // namespace

int HandMazoviaFileFunctions(void* plugin) {
  HMODULE system = GetModuleHandleA("KERNEL32.dll");
  int handed = 0;
  for (const Replacement& r : Replacements) {
    auto* bound = reinterpret_cast<const void*>(GetProcAddress(system, r.function));
    if (bound && RebindFunction(static_cast<HMODULE>(plugin), bound, r.replacement) > 0) ++handed;
  }
  return handed;
}

}  // namespace hostsim
