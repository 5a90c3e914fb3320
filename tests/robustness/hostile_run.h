// Whole runs over hostile files, each checked for what every run must leave
// (tests/support/run_checks.h). The host's files are kept in memory (hostsim/base/host_files.h), as
// fast as a run can be.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "host/goods_record.h"
#include "hostsim/base/host_files.h"
#include "hostsim/services/plugin_call.h"
#include "hostsim/services/svc_messages.h"
#include "tests/run/run_fixture.h"
#include "tests/support/run_checks.h"

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

using run_checks::GoodsProblem;
using run_checks::ReportProblem;
inline constexpr std::size_t RecordSize = run_checks::RecordSize;

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
    EXPECT_EQ(run_checks::GivenBackProblem(), "");
    // A run ends with the summary, or (names copied from a file not in Mazovia) with the
    // message that ends it before the first pass.
    bool refused = choice.copyName && hostsim::runsThatDidNothing.size() == 1 &&
                   hostsim::runsThatDidNothing[0].ends_with("is not in Mazovia, and names were to be copied from it");
    EXPECT_TRUE(Find("messageBoxFormat") || refused) << "no summary";
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
  std::memcpy(r.data() + run_checks::NetAt, &n, sizeof n);
  std::memcpy(r.data() + run_checks::GrossAt, &g, sizeof g);
  return r;
}

}  // namespace testing_hostile
