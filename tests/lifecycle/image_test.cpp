#include <set>
#include <string>

#include "plugin_fixture.h"
#include "tests/support/pe_image.h"

namespace {

// Modules the loader binds at load time, and those imported lazily.
const std::set<std::string> kAllowedImports = {"KERNEL32.dll", "ILOCK.dll"};
const std::set<std::string> kAllowedDelayImports = {"EMU32.dll", "USER32.dll"};

std::set<std::string> Names(const std::vector<pe::ImportedModule>& modules) {
  auto names = pe::ModuleNames(modules);
  return {names.begin(), names.end()};
}

TEST(BuiltFile, ExportsOnlyPluginEntryByOrdinal30001WithoutName) {
  pe::Image image = pe::Read(PRZECENA_DLL);
  ASSERT_EQ(image.error, "");
  EXPECT_EQ(image.machine, 0x14C);              // i386
  EXPECT_TRUE(image.characteristics & 0x2000);  // a DLL
  ASSERT_EQ(image.exports.size(), 1u);
  EXPECT_EQ(image.exports[0].ordinal, 30001u);
  EXPECT_EQ(image.exports[0].name, "");
}

TEST(BuiltFile, ImportsOnlyTheAllowedModules) {
  pe::Image image = pe::Read(PRZECENA_DLL);
  ASSERT_EQ(image.error, "");
  EXPECT_EQ(Names(image.imports), kAllowedImports);
  EXPECT_EQ(Names(image.delayImports), kAllowedDelayImports);
}

}  // namespace
