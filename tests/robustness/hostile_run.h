// Whole runs over hostile files and the checks every such run must pass: the reports'
// lines stay within 255 bytes, the goods file keeps its size and its trailing partial
// record, a stored record differs from the original only in its name and prices, the
// prices stored are numbers of zero or more (no -0), and the run gives back the host's
// memory and cursors. The host's files are kept in memory (hostsim/base/host_files.h), as
// fast as a run can be.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "host/goods_record.h"
#include "hostsim/base/host_files.h"
#include "hostsim/services/plugin_call.h"
#include "tests/run/run_fixture.h"

namespace testing_hostile {

using testing_run::Choice;

// Deterministic pseudo-random numbers (xorshift64*), the same on every run.
struct Random {
  uint64_t state;
  uint64_t Next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 2685821657736338717ull;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  std::string Bytes(int n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(Next() >> 56);
    return s;
  }
};

inline constexpr std::size_t RecordSize = GoodsRecordLength;
inline constexpr std::size_t NameAt = GoodsName.offset, NameSize = GoodsName.size, NetAt = GoodsNetPrice.offset,
                             GrossAt = GoodsGrossPrice.offset, PriceSize = GoodsNetPrice.size;

inline double PriceAt(const std::string& record, std::size_t at) {
  double d;
  std::memcpy(&d, record.data() + at, sizeof d);
  return d;
}

// The first way in which the goods file after a run is not a sound result of the
// file before it; empty when it is.
inline std::string GoodsProblem(const std::string& before, const std::string& after, bool namesCopied) {
  if (after.size() != before.size()) return "the goods file changed its size";
  std::size_t whole = before.size() / RecordSize * RecordSize;
  if (after.compare(whole, std::string::npos, before, whole, std::string::npos) != 0)
    return "the trailing partial record changed";
  for (std::size_t at = 0; at < whole; at += RecordSize) {
    std::string was = before.substr(at, RecordSize), now = after.substr(at, RecordSize);
    if (was == now) continue;
    std::string where = "record " + std::to_string(at / RecordSize) + ": ";
    for (std::size_t i = 0; i < RecordSize; ++i) {
      bool name = i >= NameAt && i < NameAt + NameSize;
      bool price = (i >= NetAt && i < NetAt + PriceSize) || (i >= GrossAt && i < GrossAt + PriceSize);
      if (!name && !price && was[i] != now[i]) return where + "byte " + std::to_string(i) + " changed";
    }
    if (!std::isfinite(PriceAt(now, NetAt)) || !std::isfinite(PriceAt(now, GrossAt)))
      return where + "a price that is no number was stored";
    if (std::signbit(PriceAt(now, NetAt)) || std::signbit(PriceAt(now, GrossAt)))
      return where + "a price below zero, or -0, was stored";
    if (was.compare(NameAt, NameSize, now, NameAt, NameSize) != 0) {
      if (!namesCopied) return where + "the name changed although names are not copied";
      if (strnlen(now.data() + NameAt, NameSize) >= NameSize) return where + "the copied name has no terminator";
    }
  }
  return "";
}

// The first report line of 256 bytes or more; empty when there is none. Lines end in
// CR LF, the last one included.
inline std::string ReportProblem() {
  for (const char* file : testing_run::ReportFiles) {
    std::string bytes = testing_run::FileBytes(file);
    std::size_t from = 0;
    while (from < bytes.size()) {
      std::size_t end = bytes.find("\r\n", from);
      if (end == std::string::npos) return std::string(file) + ": a line without CR LF";
      if (end - from > 255) return std::string(file) + ": a line of " + std::to_string(end - from) + " bytes";
      from = end + 2;
    }
  }
  return "";
}

class HostileRun : public testing_run::RunFixture {
 protected:
  void TearDown() override {
    RunFixture::TearDown();
    hostsim::KeepFilesInMemory(false);
  }

  // One whole run of warehouse 1 over these files, with the user's choice, as one call
  // into the plug-in; the host's files are kept in memory (the price file is on disk).
  // Checks what every run must leave behind.
  void RunOver(const std::string& priceFile, const std::string& goodsFile, const Choice& choice) {
    TearDown();
    hostsim::KeepFilesInMemory(true);
    SetUp();
    loaded = loadedOnce = false;
    testing_run::WriteFile("towary.txt", priceFile);
    ASSERT_TRUE(hostsim::WriteHostFile(hostsim::GoodsFileName(1), goodsFile));
    Answer(choice);
    hostsim::EnterPluginCall();
    Run();
    hostsim::LeavePluginCall();
    EXPECT_EQ(GoodsProblem(goodsFile, testing_run::FileBytes(hostsim::GoodsFileName(1)), choice.copyName), "");
    EXPECT_EQ(ReportProblem(), "");
    EXPECT_EQ(hostsim::memory.blocks.size(), 0u) << "host memory left";
    EXPECT_EQ(hostsim::goodsCounters.openCursors, 0) << "a cursor left open";
    EXPECT_EQ(hostsim::memory.unknownBlocks, 0);
    EXPECT_NE(Find("messageBoxFormat"), nullptr) << "no summary";
  }

  // Every choice of a run: by symbol, index or remarks, gross or net, names copied or not.
  void RunEveryWay(const std::string& priceFile, const std::string& goodsFile) {
    for (char by : {'S', 'I', 'U'})
      for (bool gross : {true, false})
        for (bool copy : {false, true}) {
          SCOPED_TRACE(std::string("by ") + by + (gross ? ", gross" : ", net") + (copy ? ", names copied" : ""));
          RunOver(priceFile, goodsFile, {"towary.txt", gross, by, copy, 1});
        }
  }
};

// A goods record with the given texts (Mazovia bytes, cut to their fields, terminated)
// and prices in currency units; every other byte zero.
inline std::string Record(const std::string& symbol, const std::string& index, const std::string& remarks,
                          int16_t vat, double net, double gross, const std::string& name = "Towar") {
  std::string r(RecordSize, '\0');
  auto put = [&](GoodsField field, const std::string& text) {
    r.replace(field.offset, std::min(text.size(), field.size - 1), text.substr(0, field.size - 1));
  };
  put(GoodsName, name);
  put(GoodsSymbol, symbol);
  put(GoodsIndex, index);
  put(GoodsRemarks, remarks);
  std::memcpy(r.data() + GoodsVatCode.offset, &vat, sizeof vat);
  double n = net * 10000, g = gross * 10000;
  std::memcpy(r.data() + NetAt, &n, sizeof n);
  std::memcpy(r.data() + GrossAt, &g, sizeof g);
  return r;
}

}  // namespace testing_hostile
