#include "tests/support/pe_image.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace pe {
namespace {

struct Section {
  uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

// The file's bytes with the section table, to turn RVAs into file offsets. Every read
// is checked against the file's size; a bad offset reads as zeros.
struct File {
  std::vector<unsigned char> bytes;
  std::vector<Section> sections;

  uint32_t U32(std::size_t at) const {
    uint32_t v = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&v, &bytes[at], 4);
    return v;
  }
  uint16_t U16(std::size_t at) const {
    uint16_t v = 0;
    if (at + 2 <= bytes.size()) std::memcpy(&v, &bytes[at], 2);
    return v;
  }
  // File offset of an RVA, or 0 when no section holds it.
  std::size_t Offset(uint32_t rva) const {
    for (const Section& s : sections) {
      uint32_t size = s.virtualSize ? s.virtualSize : s.rawSize;
      if (rva >= s.virtualAddress && rva - s.virtualAddress < size && rva - s.virtualAddress < s.rawSize)
        return s.rawOffset + (rva - s.virtualAddress);
    }
    return 0;
  }
  std::string Text(uint32_t rva) const {
    std::size_t at = Offset(rva);
    std::string s;
    while (at && at < bytes.size() && bytes[at] && s.size() < 4096) s += static_cast<char>(bytes[at++]);
    return s;
  }
};

// Import lookup table at rva: names, or "#n" for an import by ordinal.
std::vector<std::string> Functions(const File& f, uint32_t rva) {
  std::vector<std::string> out;
  for (std::size_t at = f.Offset(rva); at && out.size() < 65536; at += 4) {
    uint32_t entry = f.U32(at);
    if (entry == 0) break;
    if (entry & 0x80000000u)
      out.push_back("#" + std::to_string(entry & 0xFFFF));
    else
      out.push_back(f.Text(entry + 2));
  }
  return out;
}

void ReadExports(const File& f, uint32_t rva, Image& image) {
  std::size_t at = f.Offset(rva);
  if (!at) return;
  uint32_t base = f.U32(at + 16), count = f.U32(at + 20), names = f.U32(at + 24);
  uint32_t functions = f.U32(at + 28), nameTable = f.U32(at + 32), ordinalTable = f.U32(at + 36);
  for (uint32_t i = 0; i < count && i < 65536; ++i) {
    uint32_t target = f.U32(f.Offset(functions + 4 * i));
    if (target == 0) continue;  // a gap in the ordinals
    Export e{base + i, "", target};
    for (uint32_t n = 0; n < names; ++n)
      if (f.U16(f.Offset(ordinalTable + 2 * n)) == i) e.name = f.Text(f.U32(f.Offset(nameTable + 4 * n)));
    image.exports.push_back(e);
  }
}

void ReadImports(const File& f, uint32_t rva, Image& image) {
  for (std::size_t at = f.Offset(rva); at; at += 20) {
    uint32_t lookup = f.U32(at), name = f.U32(at + 12), thunks = f.U32(at + 16);
    if (name == 0) break;
    image.imports.push_back({f.Text(name), Functions(f, lookup ? lookup : thunks)});
  }
}

// Delay-import descriptors: attributes, name, module handle, address table, name
// table, ... (32 bytes). Attribute bit 0 set: the fields are RVAs, else addresses.
void ReadDelayImports(const File& f, uint32_t rva, uint32_t imageBase, Image& image) {
  for (std::size_t at = f.Offset(rva); at; at += 32) {
    uint32_t attributes = f.U32(at), name = f.U32(at + 4), names = f.U32(at + 16);
    if (name == 0) break;
    uint32_t bias = (attributes & 1) ? 0 : imageBase;
    image.delayImports.push_back({f.Text(name - bias), Functions(f, names - bias)});
  }
}

}  // namespace

Image Read(const std::string& path) {
  Image image;
  File f;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    image.error = "cannot open " + path;
    return image;
  }
  f.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (f.U16(0) != 0x5A4D) {
    image.error = "no MZ header";
    return image;
  }
  std::size_t nt = f.U32(0x3C);
  if (f.U32(nt) != 0x00004550) {
    image.error = "no PE signature";
    return image;
  }
  image.machine = f.U16(nt + 4);
  uint16_t sectionCount = f.U16(nt + 6), optionalSize = f.U16(nt + 20);
  image.characteristics = f.U16(nt + 22);
  std::size_t optional = nt + 24;
  if (f.U16(optional) != 0x10B) {
    image.error = "not a PE32 image";
    return image;
  }
  image.entryPointRva = f.U32(optional + 16);
  uint32_t imageBase = f.U32(optional + 28);
  uint32_t directoryCount = f.U32(optional + 92);
  std::size_t directories = optional + 96;
  for (std::size_t s = optional + optionalSize, i = 0; i < sectionCount; ++i, s += 40)
    f.sections.push_back({f.U32(s + 12), f.U32(s + 8), f.U32(s + 20), f.U32(s + 16)});
  auto directory = [&](uint32_t index) { return index < directoryCount ? f.U32(directories + 8 * index) : 0; };
  if (uint32_t rva = directory(0)) ReadExports(f, rva, image);
  if (uint32_t rva = directory(1)) ReadImports(f, rva, image);
  if (uint32_t rva = directory(13)) ReadDelayImports(f, rva, imageBase, image);
  return image;
}

std::vector<std::string> ModuleNames(const std::vector<ImportedModule>& modules) {
  std::vector<std::string> names;
  for (const ImportedModule& m : modules) names.push_back(m.module);
  return names;
}

}  // namespace pe
