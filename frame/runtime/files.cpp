// The runtime's files: the price file, opened for reading in binary and read in
// blocks, and the deletion of files (the reports). Each call reaches the system through
// the plug-in's import slots, so through the register-preserving wrappers. Text mode
// is not offered: the price file reader applies its rules itself.
#include <windows.h>

#include <cerrno>
#include <cstdio>

#include "frame/runtime/runtime.h"

namespace {

// One open file; a FILE* of this runtime points at one of these records. They are
// static, so opening a file needs no memory.
struct FileRecord {
  HANDLE handle;  // null when the record is free
};
FileRecord fileRecords[8];

FileRecord* Record(FILE* stream) { return reinterpret_cast<FileRecord*>(stream); }

// errno for the system's last error of a failed open or delete.
int ErrorNumber() {
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
}

}  // namespace

extern "C" {

// Opens an existing file for reading: mode "r", "rb" or "rt" (all read the bytes as
// they are). Null with errno set when the mode asks for writing, when all records are
// in use or when the system cannot open it.
FILE* fopen(const char* path, const char* mode) {
  if (mode[0] != 'r' || (mode[1] && mode[1] != 'b' && mode[1] != 't') || (mode[1] && mode[2])) {
    SetErrorNumber(EINVAL);
    return nullptr;
  }
  FileRecord* record = nullptr;
  for (FileRecord& f : fileRecords)
    if (!f.handle) {
      record = &f;
      break;
    }
  if (!record) {
    SetErrorNumber(EMFILE);
    return nullptr;
  }
  HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    SetErrorNumber(ErrorNumber());
    return nullptr;
  }
  record->handle = handle;
  return reinterpret_cast<FILE*>(record);
}

// Reads up to count items of `size` bytes into `buffer`; returns the number of whole
// items read, fewer only at the end of the file or on a read error.
size_t fread(void* buffer, size_t size, size_t count, FILE* stream) {
  if (!size || !count) return 0;
  size_t wanted = size * count;
  if (wanted / size != count) return 0;
  size_t total = 0;
  while (total < wanted) {
    DWORD chunk = 0;
    DWORD ask = wanted - total > 0x10000000u ? 0x10000000u : static_cast<DWORD>(wanted - total);
    if (!ReadFile(Record(stream)->handle, static_cast<char*>(buffer) + total, ask, &chunk, nullptr) || !chunk) break;
    total += chunk;
  }
  return total / size;
}

// Closes a file of fopen and frees its record; 0, or EOF when the system refused.
int fclose(FILE* stream) {
  FileRecord* record = Record(stream);
  BOOL closed = CloseHandle(record->handle);
  record->handle = nullptr;
  return closed ? 0 : EOF;
}

void CloseRuntimeFiles() {
  for (FileRecord& f : fileRecords)
    if (f.handle) fclose(reinterpret_cast<FILE*>(&f));
}

// No stream of this runtime can be written: the formatted print refers to fputc only
// for printing into a stream, which the plug-in never does. Always EOF.
int fputc(int, FILE*) {
  SetErrorNumber(EBADF);
  return EOF;
}

// Deletes the file; 0, or -1 with errno ENOENT (no such file) or EACCES.
int remove(const char* path) {
  if (DeleteFileA(path)) return 0;
  SetErrorNumber(ErrorNumber());
  return -1;
}

}  // extern "C"
