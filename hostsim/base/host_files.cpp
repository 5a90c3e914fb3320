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
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

bool ReadHostFileInBlocks(const std::string& name, long long from, std::size_t blockBytes,
                          const std::function<void(std::string_view)>& take) {
  if (inMemory) {
    const std::string* m = MemoryFile(name, false);
    if (!m) return false;
    std::string_view all(*m);
    for (std::size_t at = static_cast<std::size_t>(from); at < all.size(); at += blockBytes)
      take(all.substr(at, blockBytes));
    return true;
  }
  CloseHeldFiles();
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) return false;
  bool read = from == 0 || std::fseek(f, static_cast<long>(from), SEEK_SET) == 0;
  std::vector<char> block(blockBytes);
  for (std::size_t n; read && (n = std::fread(block.data(), 1, block.size(), f)) > 0;)
    take(std::string_view(block.data(), n));
  read = read && !std::ferror(f);
  std::fclose(f);
  return read;
}

bool CopyHostFile(const std::string& name, long long from, const std::string& to,
                  const std::function<void(std::string_view)>& look) {
  constexpr std::size_t CopyBlock = 1 << 20;
  if (inMemory) {
    std::string bytes;
    bool read = ReadHostFileInBlocks(name, from, CopyBlock, [&](std::string_view b) {
      bytes.append(b);
      look(b);
    });
    return read && WriteHostFile(to, bytes);
  }
  CloseHeldFiles();
  std::FILE* out = std::fopen(to.c_str(), "wb");
  if (!out) return false;
  bool written = true;
  bool read = ReadHostFileInBlocks(name, from, CopyBlock, [&](std::string_view b) {
    written = written && std::fwrite(b.data(), 1, b.size(), out) == b.size();
    look(b);
  });
  written = std::fclose(out) == 0 && written;
  if (!read || !written) std::remove(to.c_str());
  return read && written;
}

long long HostFileBytes(const std::string& name) {
  if (inMemory) {
    const std::string* m = MemoryFile(name, false);
    return m ? static_cast<long long>(m->size()) : -1;
  }
  CloseHeldFiles();
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) return -1;
  long bytes = std::fseek(f, 0, SEEK_END) == 0 ? std::ftell(f) : -1;
  std::fclose(f);
  return bytes;
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
