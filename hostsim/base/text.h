// Small text helpers the stand-in's rooms share.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

// The last part of a path, after its last '/' or '\'; the whole path when it has none.
std::string BaseName(std::string_view path);

// s without the leading and trailing bytes that are in blanks.
std::string Trimmed(std::string_view s, std::string_view blanks = " \t");

// Every piece of text between separators, empty ones included: "a;;b" gives "a", "",
// "b"; a text without the separator (the empty text too) is one piece.
std::vector<std::string> SplitText(std::string_view text, char separator);

// The lines of a file's text: split at line feeds, each without a carriage return
// before its line feed; a line feed at the very end begins no further line, and the
// empty text has no line.
std::vector<std::string> TextLines(std::string_view text);

}  // namespace hostsim
