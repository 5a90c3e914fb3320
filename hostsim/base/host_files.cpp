// The host's own files, on disk or in memory, with appended files held open for the
// length of a plug-in call.
#include "hostsim/base/host_files.h"

#include <cstdio>
#include <map>
#include <vector>

#include "hostsim/base/utf8_path.h"

namespace hostsim {

namespace {

// An appended file held open inside a plug-in call.
struct HeldFile {
  std::string name;
  std::FILE* file;
};

constexpr std::size_t MaxHeldFiles = 8;            // beyond this the oldest is closed
constexpr std::size_t HeldFileBuffer = 64 * 1024;  // bytes buffered per held file

bool insideCall;
std::vector<HeldFile> heldFiles;
bool inMemory;
std::map<std::string, std::string> memoryFiles;

// A memory file's key: the name without leading "./", so that a name joined to the
// default data folder and the bare name are one file, as on disk.
std::string MemoryKey(const std::string& name) {
  std::size_t at = 0;
  while (name.compare(at, 2, "./") == 0) at += 2;
  return name.substr(at);
}

// The held file of that name, opened for appending (and held) when it is not yet;
// null when it cannot be opened.
std::FILE* HeldFileFor(const std::string& name) {
  for (const HeldFile& h : heldFiles)
    if (h.name == name) return h.file;
  if (heldFiles.size() == MaxHeldFiles) {
    std::fclose(heldFiles.front().file);
    heldFiles.erase(heldFiles.begin());
  }
  std::FILE* f = OpenUtf8(name, "ab");
  if (!f) return nullptr;
  std::setvbuf(f, nullptr, _IOFBF, HeldFileBuffer);
  heldFiles.push_back({name, f});
  return f;
}

}  // namespace

bool ReadHostFile(const std::string& name, std::string& bytes) {
  bytes.clear();
  if (inMemory) {
    const std::string* m = MemoryFile(name, false);
    if (m) bytes = *m;
    return m != nullptr;
  }
  CloseHeldFiles();
  std::FILE* f = OpenUtf8(name, "rb");
  if (!f) return false;
  char chunk[65536];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, n);
  std::fclose(f);
  return true;
}

bool WriteHostFile(const std::string& name, std::string_view bytes) {
  if (inMemory) {
    MemoryFile(name, true)->assign(bytes);
    return true;
  }
  CloseHeldFiles();
  std::FILE* f = OpenUtf8(name, "wb");
  if (!f) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

bool AppendHostFile(const std::string& name, std::string_view bytes) {
  if (inMemory) {
    MemoryFile(name, true)->append(bytes);
    return true;
  }
  if (insideCall) {
    std::FILE* f = HeldFileFor(name);
    return f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  }
  std::FILE* f = OpenUtf8(name, "ab");
  if (!f) return false;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return true;
}

bool RemoveHostFile(const std::string& name) {
  if (inMemory) return memoryFiles.erase(MemoryKey(name)) > 0;
  CloseHeldFiles();
  return RemoveUtf8(name);
}

void HoldAppendedFiles(bool hold) { insideCall = hold; }

void CloseHeldFiles() {
  for (const HeldFile& h : heldFiles) std::fclose(h.file);
  heldFiles.clear();
}

void KeepFilesInMemory(bool on) {
  CloseHeldFiles();
  inMemory = on;
  memoryFiles.clear();
}

bool FilesInMemory() { return inMemory; }

std::string* MemoryFile(const std::string& name, bool create) {
  if (!inMemory) return nullptr;
  std::string key = MemoryKey(name);
  auto it = memoryFiles.find(key);
  if (it != memoryFiles.end()) return &it->second;
  if (!create) return nullptr;
  return &memoryFiles[key];
}

}  // namespace hostsim
