#include "hostsim/base/system_reason.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

#include "hostsim/base/utf8_path.h"

namespace hostsim {

#ifdef _WIN32

std::string SystemReason(const std::string& path) {
  DWORD code = GetLastError();
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return std::string(NoSuchFile);
    case ERROR_ACCESS_DENIED: {
      DWORD attributes = GetFileAttributesW(Utf8Path(path).c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return "the file is read-only";
      return "access denied";
    }
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "in use by another program";
    case ERROR_WRITE_PROTECT:
      return "the disk is write-protected";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "the disk is full";
    case ERROR_SUCCESS:
      break;
    default:
      return "system error " + std::to_string(code);
  }
  // No system error: the C runtime refused the call itself.
  if (errno == ENOENT) return std::string(NoSuchFile);
  return errno ? std::strerror(errno) : "no reason given";
}

#else

std::string SystemReason(const std::string&) {
  switch (errno) {
    case ENOENT: return std::string(NoSuchFile);
    case EACCES: return "access denied";
    case EPERM: return "not permitted";
    case EROFS: return "the file system is read-only";
    case EBUSY:
    case ETXTBSY: return "in use by another program";
    case ENOSPC: return "the disk is full";
    case EISDIR: return "a folder, not a file";
    default: return std::strerror(errno);
  }
}

#endif

}  // namespace hostsim
