// wsprintfA from the plug-in's slot: the C runtime's own formatted print, so every
// conversion of the runtime's print family works, the floating-point ones included.
#include <cstring>
#include <functional>

#include "tests/bridging/plugin_fixture.h"

using FormattedPrint = BridgedPluginTest;
using Print = int(__cdecl*)(char*, const char*, ...);

TEST_F(FormattedPrint, WsprintfAIsTheRuntimesFormattedPrint) {
  Load();
  void** slot = User32Slot("wsprintfA");
  ASSERT_NE(slot, nullptr);
  struct Case {
    const char* expected;
    std::function<int(Print, char*)> call;
  } cases[] = {
      {"-42 17 4000000000", [](Print p, char* b) { return p(b, "%d %i %u", -42, 17, 4000000000u); }},
      {"10 ff FF 0xff", [](Print p, char* b) { return p(b, "%o %x %X %#x", 8, 255, 255, 255); }},
      {"W tekst %", [](Print p, char* b) { return p(b, "%c %s %%", 'W', "tekst"); }},
      {"   42|42   |00042|+42| 42", [](Print p, char* b) { return p(b, "%5d|%-5d|%05d|%+d|% d", 42, 42, 42, 42, 42); }},
      {"123456789 1 1234567890123",
       [](Print p, char* b) { return p(b, "%ld %hd %I64d", 123456789L, 65537, 1234567890123LL); }},
      {"1.500000 3.14     -2.000", [](Print p, char* b) { return p(b, "%f %.2f %10.3f", 1.5, 3.14159, -2.0); }},
      // The runtime writes three exponent digits.
      {"1.234568e+004 2.500000E-004", [](Print p, char* b) { return p(b, "%e %E", 12345.678, 0.00025); }},
      {"0.0001 1E+020 100", [](Print p, char* b) { return p(b, "%g %G %g", 0.0001, 1e20, 100.0); }},
      {"abc    7", [](Print p, char* b) { return p(b, "%.3s %*d", "abcdef", 4, 7); }},
      {"00001234", [](Print p, char* b) { return p(b, "%p", reinterpret_cast<void*>(0x1234)); }},
  };
  // Each call goes through the slot as the plug-in's own code would; the first one
  // binds it.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    char buffer[256] = "unwritten";
    int length = c.call(reinterpret_cast<Print>(*slot), buffer);
    EXPECT_STREQ(buffer, c.expected);
    EXPECT_EQ(length, static_cast<int>(std::strlen(c.expected)));
  }
  // The plug-in's own runtime, not a function of some system module.
  EXPECT_TRUE(hostsim::InPluginImage(reinterpret_cast<uint32_t>(*slot)));
}
