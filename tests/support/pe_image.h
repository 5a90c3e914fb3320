// A small reader of the directories of a PE file that tests check: exports, imports
// and delay imports. Portable: it reads the file's bytes, not a loaded image.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pe {

struct Export {
  uint32_t ordinal;
  std::string name;  // empty when exported by ordinal only
  uint32_t rva;
};

// One imported module and the functions taken from it ("#123" for an ordinal).
struct ImportedModule {
  std::string module;
  std::vector<std::string> functions;
};

struct Image {
  std::string error;  // empty when the file was read
  uint16_t machine = 0;
  uint16_t characteristics = 0;
  uint32_t entryPointRva = 0;
  std::vector<Export> exports;
  std::vector<ImportedModule> imports;
  std::vector<ImportedModule> delayImports;
};

// Reads the PE32 file at path. A file that is no PE32 image gives error set.
Image Read(const std::string& path);

// The module names of a list, in file order.
std::vector<std::string> ModuleNames(const std::vector<ImportedModule>& modules);

}  // namespace pe
