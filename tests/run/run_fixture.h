// One repricing run as the host makes it: under Wine through the loaded PRZECENA.DLL
// and its menu command, natively by calling RunRepricing with the stand-in linked in.
// The user is played by the stand-in's dialog scripts; the goods, the price file and
// the settings are real files.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "host/goods_record.h"
#include "host/records.h"
#include "hostsim/base/charset.h"
#include "hostsim/base/data_folder.h"
#include "hostsim/base/transcript.h"
#include "hostsim/goods/goods_csv.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/files.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_menu.h"
#include "hostsim/services/svc_settings.h"
#include "tests/support/report_files.h"
#include "tests/support/test_folder.h"

#ifdef PRZECENA_DLL
#include "hostsim/win32/host.h"
#else
#include "host/services.h"
#include "reprice/goods_table.h"
#include "reprice/run.h"
#endif

namespace testing_run {

// The bytes of one goods record: the stride of a goods file.
inline constexpr std::size_t RecordBytes = GoodsRecordLength;

inline const char* const ReportFiles[] = {"INFO.TXT", "INFO2.TXT", "INFO3.TXT", "INFO4.TXT"};

using testing_support::Exists;
using testing_support::FileBytes;

// A report file as UTF-8 lines (Mazovia converted), without their CR LF.
inline std::vector<std::string> Lines(const std::string& name) {
  return testing_support::CrLfLines(hostsim::MazoviaToUtf8(FileBytes(name)));
}

inline void WriteFile(const std::string& name, const std::string& bytes) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  ASSERT_NE(f, nullptr) << name;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// One price file line in the accounting program's export layout: symbol, name, two
// unused fields, the price, then CR LF; written in Mazovia.
struct PriceLine {
  std::string symbol, name, price;
};

// The lines as text (UTF-8), and written in Mazovia.
inline std::string PriceFileText(const std::vector<PriceLine>& lines) {
  std::string text;
  for (const PriceLine& l : lines) text += l.symbol + "\t" + l.name + "\tszt\t23\t" + l.price + "\r\n";
  return text;
}
inline void WritePriceFile(const std::string& name, const std::vector<PriceLine>& lines) {
  WriteFile(name, hostsim::Utf8ToMazovia(PriceFileText(lines)));
}

// The options as the user sets them in the dialog.
struct Choice {
  std::string path = "towary.txt";
  bool gross = true;
  char identifyBy = 'S';  // S symbol, I index, U remarks
  bool copyName = false;
  int32_t warehouse = 1;
};

class RunFixture : public ::testing::Test {
 protected:
  // Deletes the host's files by name, so only ever in the test program's own folder.
  void SetUp() override {
    ASSERT_TRUE(testing_support::InTestFolder()) << "not in the test folder: " << std::filesystem::current_path().string();
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
    for (const char* f : ReportFiles) std::remove(f);
    for (int w = 0; w < 10; ++w) std::remove(hostsim::GoodsFileName(w).c_str());
    std::remove(hostsim::DataPath(hostsim::PriceJournalName).c_str());
    std::remove("towary.txt");
    hostsim::StoreSetting("Przecenamag", "Pytaj", "1");  // the first-run notice was dealt with
  }

  void TearDown() override {
#ifdef PRZECENA_DLL
    if (loaded) {
      hostsim::UnloadCall();
      hostsim::FreePluginLibrary();
    }
#else
    goodsTable = nullptr;
#endif
    hostsim::EraseSettings();
    hostsim::ResetHostSim();  // closes what a run ended by an exception left open in the folder
  }

  // For a row of a table: the stand-in, the files and the plug-in as at the start of a
  // test, so that each row runs on its own.
  void StartAfresh() {
    TearDown();
    SetUp();
    loadedOnce = loaded = false;
  }

  // Loads the plug-in as the host does (natively: takes the goods table like the load
  // call), then forgets what the load showed and asked.
  void Load() {
#ifdef PRZECENA_DLL
    ASSERT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));
    loaded = true;
    char name[64];
    hostsim::CallOutcome o = hostsim::LoadCall(name);
    ASSERT_TRUE(o.completed) << std::hex << o.exceptionCode;
    ASSERT_EQ(o.result, 0);
#else
    goodsTable = tableDescriptor(GoodsTableNumber);
#endif
    hostsim::Transcript().clear();
    hostsim::settingCalls.clear();
  }

  // The user's answers for the next run: the dialog filled in and confirmed with F12,
  // then the warehouse.
  void Answer(const Choice& c) {
    std::string script = "type " + c.path + "; choose " + (c.gross ? "B" : "N") + "; choose " + c.identifyBy +
                         "; " + (c.copyName ? "tick" : "clear") + "; F12";
    hostsim::dialogs.script.push_back(script);
    hostsim::dialogs.warehouseScript.push_back(c.warehouse);
  }

  // One run through the menu command; loads the plug-in first if needed.
  void Run() {
    if (!loadedOnce) {
      Load();
      loadedOnce = true;
    }
#ifdef PRZECENA_DLL
    hostsim::CallOutcome o = hostsim::ChooseMenuCommand(RepricingCommand);
    ASSERT_TRUE(o.completed) << std::hex << o.exceptionCode;
#else
    RunRepricing();
#endif
  }

  void WriteGoods(int warehouse, const std::string& csv) {
    std::string file, error;
    ASSERT_TRUE(hostsim::GoodsFileFromCsv(csv, file, error)) << error;
    WriteFile(hostsim::GoodsFileName(warehouse), file);
  }

  std::vector<hostsim::GoodsRow> Goods(int warehouse) {
    std::string file = FileBytes(hostsim::GoodsFileName(warehouse));
    std::vector<hostsim::GoodsRow> rows;
    for (std::size_t at = 0; at + GoodsRecordLength <= file.size(); at += GoodsRecordLength)
      rows.push_back(hostsim::GoodsRowOf(file.substr(at, GoodsRecordLength)));
    return rows;
  }

  // What the run showed, by service, in order ("messageBox: uwaga: text").
  static std::vector<std::string> Shown() {
    std::vector<std::string> out;
    for (const hostsim::Shown& s : hostsim::Transcript()) {
      if (s.service == "runDialog" || s.service == "chooseFile" || s.service == "selectWarehouse") continue;
      out.push_back(s.service + (s.title.empty() ? "" : ": " + s.title) + (s.text.empty() ? "" : ": " + s.text));
    }
    return out;
  }

  // The first thing of that service in the transcript, or null.
  static const hostsim::Shown* Find(const std::string& service) {
    for (const hostsim::Shown& s : hostsim::Transcript())
      if (s.service == service) return &s;
    return nullptr;
  }

  // Number of settings writes the run made.
  static int SettingWrites() {
    int n = 0;
    for (const hostsim::SettingCall& c : hostsim::settingCalls)
      n += c.mode == SettingWriteInt || c.mode == SettingWriteText;
    return n;
  }

  bool loaded = false;
  bool loadedOnce = false;
};

}  // namespace testing_run
