// What differs between two goods files, record by record, for people and tests:
// each field that changed with its old and new value (texts in UTF-8).
#pragma once
#include <string>

namespace hostsim {

// The differences between goods files a and b (their bytes) as lines of UTF-8 text,
// "" when they are byte for byte the same. Records are numbered from 1 and named by
// their symbol ("record 3, MLEKO-32:"); per record one line per field that differs ("  net: 3.07 -> 3.24",
// "  name: \"Mleko\" -> \"Mleko UHT\""), bytes outside the named fields by offset; a
// record only one file has, and a partial trailing record, get one line each; the
// last line counts the records that differ.
std::string GoodsFileDifferences(const std::string& a, const std::string& b);

}  // namespace hostsim
