// The stand-in's paths are UTF-8 text, whatever the system: on Windows they reach the
// file system through its wide-character functions, so a name with Polish letters (or
// any other character) opens in every locale; elsewhere the bytes are the name.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace hostsim {

// The path that the UTF-8 text names.
std::filesystem::path Utf8Path(std::string_view utf8);

// A path as UTF-8 text, for messages and for the functions below.
std::string PathUtf8(const std::filesystem::path& path);

// std::fopen for a UTF-8 path (_wfopen on Windows); null when it cannot be opened.
std::FILE* OpenUtf8(const std::string& path, const char* mode);

// std::remove for a UTF-8 path; true when the file was deleted.
bool RemoveUtf8(const std::string& path);

}  // namespace hostsim
