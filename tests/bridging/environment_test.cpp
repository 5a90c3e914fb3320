// The environment decision at attach, from the module it asks and the version word.
#include <gtest/gtest.h>

#include <windows.h>

#include "frame/bridging/environment.h"

TEST(Environment, DosExtenderByItsMarkerElseTheVersionWordsHighBit) {
  HMODULE extender = LoadLibraryA(BORLAND_MODULE);
  ASSERT_NE(extender, nullptr) << BORLAND_MODULE;
  HMODULE windows = GetModuleHandleA("kernel32.dll");
  ASSERT_EQ(GetProcAddress(windows, "Borland32"), nullptr) << "this system looks like the DOS extender";
  struct Case {
    const char* what;
    HMODULE module;
    uint32_t version;
    int32_t environment;
  } cases[] = {
      {"extender, high bit clear", extender, 0x0A280105u, 2},
      {"extender, high bit set", extender, 0x80000004u, 2},
      {"Windows, high bit set", windows, 0x80000004u, 1},
      {"Windows, high bit clear", windows, 0x0A280105u, 0},
      {"Windows, only the high bit", windows, 0x80000000u, 1},
      {"Windows, all but the high bit", windows, 0x7FFFFFFFu, 0},
      {"no module found", nullptr, 0x80000004u, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DetectEnvironment(c.module, c.version), c.environment);
  }
  FreeLibrary(extender);
}
