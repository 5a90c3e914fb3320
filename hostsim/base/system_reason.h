// Why a file call of the system failed, as a short phrase for the stand-in's messages
// ("access denied", "the file is read-only", "in use by another program").
#pragma once
#include <string>
#include <string_view>

namespace hostsim {

// The reason given when the file does not exist.
inline constexpr std::string_view NoSuchFile = "no such file";

// The reason of the file call that failed last on this thread: GetLastError under
// Win32, errno elsewhere. Call it right after the failing call, before any other that
// may set them; path is the file the call was given (its read-only flag tells a
// read-only file from one the user may not write).
std::string SystemReason(const std::string& path);

}  // namespace hostsim
