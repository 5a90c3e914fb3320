// Whole runs over what the options dialog answers: a command that no button has shows
// the dialog again, and (through the DLL) a host without the dialog service ends the
// run as a dialog left once the user ignores the missing service.
#include "tests/run/run_fixture.h"

using namespace testing_run;

namespace {

const std::string Shop =
    "symbol,index,name,vat,net,gross,remarks\n"
    "KAWA,100,Kawa mielona,1,10.00,12.30,półka 1\n";

class DialogCommandsTest : public RunFixture {
 protected:
  // A fresh run: warehouse 1 is the shop, towary.txt reprices KAWA, the dialog's
  // showings are scripted. Returns the goods file's bytes before the run.
  std::string StartWithShop(const std::vector<std::string>& showings) {
    StartAfresh();
    WriteGoods(1, Shop);
    std::string before = FileBytes(hostsim::GoodsFileName(1));
    WritePriceFile("towary.txt", {{"KAWA", "Kawa", "13,53"}});
    for (const std::string& s : showings) hostsim::dialogs.script.push_back(s);
    return before;
  }
};

TEST_F(DialogCommandsTest, ACommandOfNoButtonShowsTheDialogAgain) {
  struct Row {
    const char* label;
    std::vector<std::string> showings;  // the dialog script, one per showing
    bool confirmed;
  } rows[] = {
      {"an unknown command twice, then F12", {"answer 7", "answer -1", "type towary.txt; choose B; F12"}, true},
      {"0 twice, then F12", {"answer 0", "answer 0", "type towary.txt; choose B; F12"}, true},
      {"an unknown command, then left", {"answer 7", "type towary.txt; choose B; leave"}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string before = StartWithShop(row.showings);
    hostsim::dialogs.warehouseScript.push_back(1);
    Run();
    EXPECT_EQ(hostsim::dialogs.dialogCalls, static_cast<int>(row.showings.size()));
    EXPECT_EQ(hostsim::dialogs.scriptErrors, 0);
    EXPECT_EQ(SettingWrites() > 0, row.confirmed);
    if (row.confirmed) {
      EXPECT_EQ(Goods(1)[0].gross, 13.53);
      EXPECT_EQ(Lines("INFO4.TXT"), (std::vector<std::string>{"[KAWA]      13.53 Kawa"}));
    } else {
      EXPECT_TRUE(FileBytes(hostsim::GoodsFileName(1)) == before);
      for (const char* f : ReportFiles) EXPECT_FALSE(Exists(f)) << f;
    }
  }
}

// A host whose dialog service keeps answering a command that no button has (from some
// showing on) cannot show the dialog: after 100 such answers in a row the run ends as
// after leaving it, nothing saved, nothing read; an F3 between them starts the count anew.
TEST_F(DialogCommandsTest, ADialogThatNeverAnswersAButtonEndsTheRunAsLeft) {
  struct Row {
    const char* label;
    int failingFrom;   // the dialog's call from which every call answers 0x7FFF
    std::vector<std::string> showings;
    int dialogCalls;
  } rows[] = {
      {"from the first showing", 1, {}, 100},
      {"after a file chosen", 2, {"F3"}, 101},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string before = StartWithShop(row.showings);
    hostsim::dialogs.chooserScript.push_back("towary.txt");
    hostsim::dialogs.warehouseScript.push_back(1);
    Load();
    loadedOnce = true;
    hostsim::PlanFailure(hostsim::FailingService::Dialog, row.failingFrom, true);
    Run();
    EXPECT_EQ(hostsim::dialogs.dialogCalls, row.dialogCalls);
    EXPECT_EQ(hostsim::dialogs.warehouseCalls, 0);
    EXPECT_EQ(SettingWrites(), 0);
    EXPECT_TRUE(FileBytes(hostsim::GoodsFileName(1)) == before);
    for (const char* f : ReportFiles) EXPECT_FALSE(Exists(f)) << f;
  }
}

}  // namespace

#ifdef PRZECENA_DLL
#include <windows.h>

#include "hostsim/services/service_table.h"
#include "hostsim/win32/import_patch.h"

namespace {

// The system's message box as the plug-in calls it: every report of a missing service
// is kept and answered Ignore.
std::vector<std::string> boxTexts;
int WINAPI IgnoringMessageBox(HWND, LPCSTR text, LPCSTR, UINT) {
  boxTexts.emplace_back(text);
  return IDIGNORE;
}

// Ignore binds the dialog service to a stub that answers the dialog as left: the run
// ends there, the next run too without a second report, and nothing is saved or read.
TEST_F(DialogCommandsTest, WithoutTheDialogServiceIgnoreEndsTheRunAsTheDialogLeft) {
  WriteGoods(1, Shop);
  std::string before = FileBytes(hostsim::GoodsFileName(1));
  WritePriceFile("towary.txt", {{"KAWA", "Kawa", "13,53"}});
  hostsim::StoreSetting("Przecena", "Path", "towary.txt");
  Load();
  loadedOnce = true;
  ASSERT_NE(hostsim::PatchImport(static_cast<HMODULE>(hostsim::PluginModule()), "user32.dll", "MessageBoxA",
                                 reinterpret_cast<void*>(&IgnoringMessageBox)),
            nullptr);
  hostsim::missingServices = {52026};
  boxTexts.clear();
  for (const char* run : {"the first run: reported, ignored", "the next run: the stub is bound"}) {
    SCOPED_TRACE(run);
    for (const char* f : ReportFiles) WriteFile(f, "from the run before\r\n");
    Run();  // returns: a stub answering 0 would show the dialog for ever
    ASSERT_EQ(boxTexts.size(), 1u);
    EXPECT_NE(boxTexts[0].find("52026"), std::string::npos) << boxTexts[0];
    EXPECT_EQ(hostsim::dialogs.dialogCalls, 0);
    EXPECT_EQ(hostsim::dialogs.warehouseCalls, 0);
    EXPECT_EQ(SettingWrites(), 0);
    EXPECT_EQ(hostsim::StoredSetting("Przecena", "Path"), "towary.txt");
    EXPECT_EQ(hostsim::goodsCounters.opens + hostsim::goodsCounters.failedOpens, 0);
    EXPECT_TRUE(FileBytes(hostsim::GoodsFileName(1)) == before);
    for (const char* f : ReportFiles) EXPECT_FALSE(Exists(f)) << f;
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(hostsim::memory.blocks.size(), 0u);
  }
}

}  // namespace
#endif
