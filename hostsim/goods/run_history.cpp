// --history: the index's runs as a table, newest first.
#include "hostsim/goods/run_history.h"

#include <algorithm>
#include <vector>

#include "hostsim/base/charset.h"

namespace hostsim {

namespace {

// Characters of a UTF-8 text.
std::size_t Width(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The text with blanks after it up to width characters.
std::string Left(const std::string& text, std::size_t width) {
  std::size_t w = Width(text);
  return text + std::string(w < width ? width - w : 0, ' ');
}

// The text with blanks before it up to width characters.
std::string Right(const std::string& text, std::size_t width) {
  std::size_t w = Width(text);
  return std::string(w < width ? width - w : 0, ' ') + text;
}

// A count, or "?" when not known.
std::string Count(long long n) { return n < 0 ? "?" : std::to_string(n); }

// "no", "yes, <date time>", or "no (never ended)" for a run whose cursor stayed open.
std::string Undone(const BackupRun& r) {
  if (r.state.rfind("undone ", 0) == 0) return "yes, " + r.state.substr(7);
  return r.bytesAfter < 0 ? "no (never ended)" : "no";
}

}  // namespace

std::string RunName(const BackupRun& r) {
  std::string name = "the run of " + r.time + " of warehouse " + r.warehouse + " (" + r.goodsFile;
  if (!r.priceFile.empty()) name += "; price file " + MazoviaToUtf8(r.priceFile);
  if (r.linesRead >= 0)
    name += "; " + std::to_string(r.linesRead) + (r.linesRead == 1 ? " line" : " lines") + " read, " +
            std::to_string(r.changed) + " changed, " + std::to_string(r.failed) + " failed";
  return name + ")";
}

bool RunHistory(std::string& text, std::string& error) {
  std::vector<BackupRun> runs;
  bool found = false;
  text.clear();
  if (!ReadBackupIndex(runs, found, error)) return false;
  if (!found) {
    text = "no runs yet: there is no " + BackupPath(BackupIndexName) + " (a run makes one before its first store)\n";
    return true;
  }
  std::size_t priceWidth = Width("price file");
  for (const BackupRun& r : runs) priceWidth = std::max(priceWidth, Width(MazoviaToUtf8(r.priceFile)));
  auto line = [&](const std::string& time, const std::string& warehouse, const std::string& price,
                  const std::string& read, const std::string& changed, const std::string& failed,
                  const std::string& undone, const std::string& backup) {
    text += Left(time, 19) + "  " + Left(warehouse, 9) + "  " + Left(price, priceWidth) + "  " + Right(read, 7) +
            "  " + Right(changed, 7) + "  " + Right(failed, 6) + "  " + Left(undone, 25) + "  " + backup + "\n";
  };
  line("date and time", "warehouse", "price file", "read", "changed", "failed", "undone", "backup in " + BackupPath(""));
  for (auto r = runs.rbegin(); r != runs.rend(); ++r)
    line(r->time, r->warehouse, r->priceFile.empty() ? "?" : MazoviaToUtf8(r->priceFile), Count(r->linesRead),
         Count(r->changed), Count(r->failed), Undone(*r), r->backup);
  return true;
}

}  // namespace hostsim
