// What every whole run must leave, whatever it met (hostile files, failing services,
// fuzzed inputs): the goods file keeps its size and its trailing partial record, a
// stored record differs from the one before only in its name and prices, holds prices
// that are numbers (of zero or more unless told otherwise) and a terminated name; the
// reports' lines end in CR LF within 255 bytes; the host's memory and goods cursors are
// given back. Each check returns the first problem in words, "" when there is none, so
// that GoogleTest tests and the fuzzers report it each their own way.
#pragma once
#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "host/goods_record.h"
#include "hostsim/base/host_files.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/memory.h"

namespace run_checks {

inline constexpr std::size_t RecordSize = GoodsRecordLength;
inline constexpr std::size_t NameAt = GoodsName.offset, NameSize = GoodsName.size;
inline constexpr std::size_t NetAt = GoodsNetPrice.offset, GrossAt = GoodsGrossPrice.offset;
inline constexpr std::size_t PriceSize = GoodsNetPrice.size;

inline const char* const ReportFiles[] = {"INFO.TXT", "INFO2.TXT", "INFO3.TXT", "INFO4.TXT"};

// The price at offset at of a record.
inline double PriceAt(const std::string& record, std::size_t at) {
  double d;
  std::memcpy(&d, record.data() + at, sizeof d);
  return d;
}

// A further check of each record that changed (before and after): what is wrong, or "".
using ChangedRecordCheck = std::function<std::string(const std::string& was, const std::string& now)>;

// The first way in which the goods file after a run is not a sound result of the file
// before it. namesCopied: a name may change; signChecked: a stored price must not be
// below zero nor -0. Records are numbered from 1.
inline std::string GoodsProblem(const std::string& before, const std::string& after, bool namesCopied,
                                bool signChecked = true, const ChangedRecordCheck& changed = {}) {
  if (after.size() != before.size()) return "the goods file changed its size";
  std::size_t whole = before.size() / RecordSize * RecordSize;
  if (after.compare(whole, std::string::npos, before, whole, std::string::npos) != 0)
    return "the trailing partial record changed";
  for (std::size_t at = 0; at < whole; at += RecordSize) {
    std::string was = before.substr(at, RecordSize), now = after.substr(at, RecordSize);
    if (was == now) continue;
    std::string where = "record " + std::to_string(at / RecordSize + 1) + ": ";
    for (std::size_t i = 0; i < RecordSize; ++i) {
      bool name = i >= NameAt && i < NameAt + NameSize;
      bool price = (i >= NetAt && i < NetAt + PriceSize) || (i >= GrossAt && i < GrossAt + PriceSize);
      if (!name && !price && was[i] != now[i]) return where + "byte " + std::to_string(i) + " changed";
    }
    double net = PriceAt(now, NetAt), gross = PriceAt(now, GrossAt);
    if (!std::isfinite(net) || !std::isfinite(gross)) return where + "a price that is no number was stored";
    if (signChecked && (std::signbit(net) || std::signbit(gross)))
      return where + "a price below zero, or -0, was stored";
    if (was.compare(NameAt, NameSize, now, NameAt, NameSize) != 0) {
      if (!namesCopied) return where + "the name changed although names are not copied";
      if (strnlen(now.data() + NameAt, NameSize) >= NameSize) return where + "the copied name has no terminator";
    }
    if (changed)
      if (std::string problem = changed(was, now); !problem.empty()) return where + problem;
  }
  return "";
}

// The first report line without CR LF or of 256 bytes or more, the last line included.
inline std::string ReportProblem() {
  for (const char* file : ReportFiles) {
    std::string bytes;
    hostsim::ReadHostFile(file, bytes);
    for (std::size_t from = 0; from < bytes.size();) {
      std::size_t end = bytes.find("\r\n", from);
      if (end == std::string::npos) return std::string(file) + ": a line without CR LF";
      if (end - from > 255) return std::string(file) + ": a line of " + std::to_string(end - from) + " bytes";
      from = end + 2;
    }
  }
  return "";
}

// The host's memory and goods cursors given back, and no block it never handed out
// handed back to it.
inline std::string GivenBackProblem() {
  if (!hostsim::memory.blocks.empty()) return "host memory left after the run";
  if (hostsim::memory.unknownBlocks != 0) return "a memory block the host never handed out came back";
  if (hostsim::goodsCounters.openCursors != 0) return "a goods cursor left open";
  return "";
}

}  // namespace run_checks
