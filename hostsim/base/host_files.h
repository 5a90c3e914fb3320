// Where the stand-in keeps the host's own files (report files, the price-change
// journal, the settings file, the goods files): on disk, or all in memory for
// programs that make many whole runs. Inside a call into the plug-in an appended file
// stays open and buffered; between calls the stand-in holds no file open, since the
// plug-in deletes its report files itself and Windows refuses to delete an open file.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace hostsim {

// The whole file; false (bytes empty) when it does not exist or cannot be read (on
// disk, SystemReason of system_reason.h says why right after).
bool ReadHostFile(const std::string& name, std::string& bytes);

// Replaces the file with bytes, creating it; false when it cannot be written (on disk,
// SystemReason says why right after).
bool WriteHostFile(const std::string& name, std::string_view bytes);

// Adds bytes at the end of the file, creating it; false when it cannot be opened.
// Inside a plug-in call the file stays open and its bytes may wait in a buffer.
bool AppendHostFile(const std::string& name, std::string_view bytes);

// Gives the file's bytes from byte `from` on to `take`, in order, in blocks of
// blockBytes (the last may be shorter), so that one block at a time is in memory;
// false when the file does not exist or cannot be read.
bool ReadHostFileInBlocks(const std::string& name, long long from, std::size_t blockBytes,
                          const std::function<void(std::string_view)>& take);

// Copies the file's bytes from byte `from` on into `to` (replaced) block by block as
// ReadHostFileInBlocks gives them, each also to `look`; false when `name` cannot be
// read or `to` cannot be written whole (then `to` is removed).
bool CopyHostFile(const std::string& name, long long from, const std::string& to,
                  const std::function<void(std::string_view)>& look);

// The file's length in bytes (appended bytes still buffered included); -1 when it
// does not exist or cannot be opened.
long long HostFileBytes(const std::string& name);

// Deletes the file; false when there was none or it could not be deleted.
bool RemoveHostFile(const std::string& name);

// While hold is set (inside a call into the plug-in, plugin_call.h), an appended file
// is held open from its first append until CloseHeldFiles; unset, every append opens
// and closes its file. Held files stay open when it is unset.
void HoldAppendedFiles(bool hold);

// Flushes and closes every appended file held open (the stand-in does this itself
// before it reads, replaces or deletes one of its files, and before showing a file).
void CloseHeldFiles();

// From now on (true) every host file lives in memory, starting with none, or (false)
// on disk again, the memory files dropped. Files of other names, such as the price
// file the plug-in reads with the C runtime, stay on disk either way.
void KeepFilesInMemory(bool inMemory);
bool FilesInMemory();

// The memory file of that name (in memory mode), created empty when create is set;
// null when there is none. The pointer stays valid until the file is deleted.
std::string* MemoryFile(const std::string& name, bool create);

}  // namespace hostsim
