// Build tool, run on the build machine after PRZECENA.DLL is linked: points data
// directory 13 (delay-import descriptors) of a PE32 image at the descriptors that
// start its section ".didat". The linker leaves that directory empty, so without this
// step the lazy imports would not be described as what they are.
//
// usage: patch_delay_directory FILE     exit status 0 = patched, 1 = refused (message)
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr uint32_t DelayImportDirectory = 13;
constexpr uint32_t DescriptorSize = 32;

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}
uint16_t Read16(const std::vector<uint8_t>& bytes, size_t at) {
  uint16_t value = 0;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
}
void Write32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

// Patches `bytes` in memory; returns "" or what is wrong with the image.
std::string Patch(std::vector<uint8_t>& bytes) {
  if (bytes.size() < 0x40 || Read16(bytes, 0) != 0x5A4D) return "not an MZ image";
  size_t pe = Read32(bytes, 0x3C);
  if (pe + 24 > bytes.size() || Read32(bytes, pe) != 0x00004550) return "no PE signature";
  uint16_t sectionCount = Read16(bytes, pe + 6);
  uint16_t optionalSize = Read16(bytes, pe + 20);
  size_t optional = pe + 24;
  if (optional + optionalSize > bytes.size() || optionalSize < 96 + 8 * (DelayImportDirectory + 1))
    return "optional header too short";
  if (Read16(bytes, optional) != 0x10B) return "not a PE32 image";
  if (Read32(bytes, optional + 92) <= DelayImportDirectory) return "too few data directories";
  size_t sections = optional + optionalSize;
  if (sections + 40u * sectionCount > bytes.size()) return "section table cut short";
  for (size_t i = 0; i < sectionCount; ++i) {
    size_t header = sections + 40 * i;
    if (std::memcmp(bytes.data() + header, ".didat\0\0", 8) != 0) continue;
    uint32_t rva = Read32(bytes, header + 12);
    uint32_t rawSize = Read32(bytes, header + 16);
    uint32_t rawOffset = Read32(bytes, header + 20);
    if (uint64_t(rawOffset) + rawSize > bytes.size()) return ".didat lies outside the file";
    // Descriptors until the all-zero one; each must say its fields are RVAs.
    uint32_t size = 0;
    for (;;) {
      if (size + DescriptorSize > rawSize) return ".didat holds no terminated descriptor list";
      const uint8_t* descriptor = bytes.data() + rawOffset + size;
      size += DescriptorSize;
      if (std::all_of(descriptor, descriptor + DescriptorSize, [](uint8_t b) { return b == 0; })) break;
      if (Read32(bytes, rawOffset + size - DescriptorSize) != 1) return "descriptor without RVA attribute";
    }
    if (size == DescriptorSize) return ".didat holds no descriptor";
    size_t directory = optional + 96 + 8 * DelayImportDirectory;
    Write32(bytes, directory, rva);
    Write32(bytes, directory + 4, size);
    return "";
  }
  return "no section .didat";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 1;
  }
  std::vector<uint8_t> bytes;
  {
    std::ifstream in(argv[1], std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (!in.good() && !in.eof()) bytes.clear();
  }
  std::string error = bytes.empty() ? "cannot read the file" : Patch(bytes);
  if (!error.empty()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "%s: cannot write the file\n", argv[1]);
    return 1;
  }
  return 0;
}
