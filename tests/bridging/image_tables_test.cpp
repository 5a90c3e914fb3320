// The built PRZECENA.DLL read back from its file: the modules and functions its
// import directory and its delay-import directory (data directory 13) name.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/support/pe_image.h"

namespace {

// The list's rows of one module: wrapped ones, then the others, each in list order.
std::vector<std::string> Rows(const std::string& module, bool wrapped, bool unwrapped) {
  std::vector<std::string> names;
#define SYSTEM_WRAPPED(name, rowModule, arguments) \
  if (wrapped && module == #rowModule) names.push_back(#name);
#define SYSTEM_IMPORT(name, rowModule, arguments) \
  if (unwrapped && module == #rowModule) names.push_back(#name);
#include "frame/bridging/system_imports.h"
#undef SYSTEM_WRAPPED
#undef SYSTEM_IMPORT
  return names;
}

const pe::ImportedModule* Find(const std::vector<pe::ImportedModule>& modules, const std::string& name) {
  for (const pe::ImportedModule& m : modules)
    if (m.module == name) return &m;
  return nullptr;
}

class BuiltLibrary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { image = pe::Read(PRZECENA_DLL); }
  static pe::Image image;
};
pe::Image BuiltLibrary::image;

}  // namespace

TEST_F(BuiltLibrary, ListHasTheExpectedShape) {
  EXPECT_EQ(Rows("KERNEL32", true, true).size(), 113u);
  EXPECT_EQ(Rows("KERNEL32", true, false).size(), 109u);
  EXPECT_EQ(Rows("EMU32", true, false).size(), 20u);
  EXPECT_EQ(Rows("EMU32", false, true).size(), 40u);
  EXPECT_EQ(Rows("ILOCK", true, true), std::vector<std::string>{"InterlockedExchange"});
  EXPECT_EQ(Rows("USER32", true, true), (std::vector<std::string>{"MessageBoxA", "wsprintfA"}));
  std::vector<std::string> emu = Rows("EMU32", true, true);
  EXPECT_EQ(std::set<std::string>(emu.begin(), emu.end()).size(), 60u) << "a name twice";
}

TEST_F(BuiltLibrary, ImportsExactlyTheSystemModulesBoundByTheLoader) {
  ASSERT_EQ(image.error, "");
  std::vector<std::string> modules = pe::ModuleNames(image.imports);
  std::sort(modules.begin(), modules.end());
  EXPECT_EQ(modules, (std::vector<std::string>{"ILOCK.dll", "KERNEL32.dll"}));

  const pe::ImportedModule* kernel = Find(image.imports, "KERNEL32.dll");
  ASSERT_NE(kernel, nullptr);
  std::set<std::string> imported(kernel->functions.begin(), kernel->functions.end());
  for (const std::string& name : Rows("KERNEL32", true, true)) EXPECT_EQ(imported.count(name), 1u) << name;
  std::vector<std::string> listed = Rows("KERNEL32", true, true);
  for (const std::string& name : imported) {
    bool known = std::find(listed.begin(), listed.end(), name) != listed.end();
    EXPECT_TRUE(known) << name << " is imported from KERNEL32 but not listed";
  }
  for (const std::string& name : Rows("EMU32", true, true))
    EXPECT_EQ(imported.count(name), 0u) << name << " must come lazily from EMU32.dll";

  const pe::ImportedModule* ilock = Find(image.imports, "ILOCK.dll");
  ASSERT_NE(ilock, nullptr);
  EXPECT_EQ(ilock->functions, std::vector<std::string>{"InterlockedExchange"});
}

TEST_F(BuiltLibrary, DescribesTheLazyImportsInTheDelayImportDirectory) {
  ASSERT_EQ(image.error, "");
  ASSERT_EQ(pe::ModuleNames(image.delayImports), (std::vector<std::string>{"EMU32.dll", "USER32.dll"}));
  std::vector<std::string> emu = Rows("EMU32", true, false);
  for (const std::string& name : Rows("EMU32", false, true)) emu.push_back(name);
  std::vector<std::string> seen = image.delayImports[0].functions;
  std::sort(seen.begin(), seen.end());
  std::sort(emu.begin(), emu.end());
  EXPECT_EQ(seen, emu);
  EXPECT_EQ(image.delayImports[1].functions, (std::vector<std::string>{"MessageBoxA", "wsprintfA"}));
}
