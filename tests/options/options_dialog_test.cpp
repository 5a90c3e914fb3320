// The dialog loop with its F3 file chooser, and the warehouse choice.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "host/mazovia.h"
#include "hostsim/base/transcript.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/reset.h"
#include "reprice/options.h"

namespace {

using hostsim::dialogs;

class OptionsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::ResetHostSim();
    std::memset(&repricingOptions, 0, sizeof repricingOptions);
  }
};

TEST_F(OptionsDialog, ConfirmedWithF12) {
  std::strcpy(repricingOptions.path, "C:\\ceny\\towary.txt");
  dialogs.script = {"F12"};
  EXPECT_TRUE(AskRepricingOptions());
  EXPECT_EQ(dialogs.dialogCalls, 1);
  EXPECT_EQ(dialogs.lastDialogOne, 1);
  EXPECT_EQ(dialogs.lastDialogZero, 0);
  EXPECT_EQ(dialogs.rejected, 0);
  EXPECT_STREQ(repricingOptions.path, "C:\\ceny\\towary.txt");
  EXPECT_EQ(dialogs.chooserCalls, 0);
}

TEST_F(OptionsDialog, TheUsersChoicesReachTheRecord) {
  dialogs.script = {"type C:\\moje ceny\\żółte.txt; choose B; choose I; tick; F12"};  // UTF-8, as the answers file
  EXPECT_TRUE(AskRepricingOptions());
  EXPECT_EQ(std::string(repricingOptions.path), "C:\\moje ceny\\" + std::string(Mz("żółte")) + ".txt");
  EXPECT_EQ(+repricingOptions.gross, 1);
  EXPECT_EQ(+repricingOptions.identifyBy, IdentifyByIndex);
  EXPECT_EQ(+repricingOptions.copyName, 1);
}

TEST_F(OptionsDialog, LeavingChangesNothing) {
  std::strcpy(repricingOptions.path, "stare.txt");
  dialogs.script = {"type nowe.txt; choose B; tick; leave"};
  EXPECT_FALSE(AskRepricingOptions());
  EXPECT_STREQ(repricingOptions.path, "stare.txt");
  EXPECT_EQ(+repricingOptions.gross, 0);
  EXPECT_EQ(+repricingOptions.copyName, 0);
  EXPECT_EQ(dialogs.dialogCalls, 1);
}

// A host may fill the whole data record: a path of 129 letters and no terminator
// reaches the run as its first 128, and the other fields keep what the host wrote.
TEST_F(OptionsDialog, APathTheHostLeavesWithoutTerminatorEndsWithinItsField) {
  dialogs.writeRecord = [](const hostsim::DialogDescription&, unsigned char* data) -> int16_t {
    std::memset(data, 'x', 129);
    const unsigned char values[6] = {0x01, 0x00, 0x07, 0x00, 0xFF, 0xFF};  // gross 1, by 7, names -1
    std::memcpy(data + 129, values, sizeof values);
    return CmdOk;
  };
  EXPECT_TRUE(AskRepricingOptions());
  EXPECT_EQ(std::string(repricingOptions.path), std::string(128, 'x'));
  EXPECT_EQ(+repricingOptions.gross, 1);
  EXPECT_EQ(+repricingOptions.identifyBy, 7);
  EXPECT_EQ(+repricingOptions.copyName, -1);
}

TEST_F(OptionsDialog, F3ThenAFileShowsTheDialogAgainWithIt) {
  dialogs.script = {"choose U; F3", "F12"};
  dialogs.chooserScript = {"C:\\wybrany.txt"};
  EXPECT_TRUE(AskRepricingOptions());
  EXPECT_EQ(dialogs.dialogCalls, 2);
  EXPECT_EQ(dialogs.chooserCalls, 1);
  EXPECT_EQ(dialogs.lastChooserKind, 57);
  EXPECT_EQ(dialogs.lastChooserMask, "C:\\*.*");
  EXPECT_EQ(dialogs.lastChooserZero, 0);
  ASSERT_EQ(dialogs.showings.size(), 2u);
  EXPECT_EQ(dialogs.showings[1].opened.inputs[0], "C:\\wybrany.txt");
  EXPECT_EQ(dialogs.showings[1].opened.groups[1], IdentifyByRemarks);  // kept across F3
  EXPECT_STREQ(repricingOptions.path, "C:\\wybrany.txt");
}

TEST_F(OptionsDialog, F3ThenMinusOneEndsWithoutTheDialogAgain) {
  dialogs.script = {"F3", "F12"};
  dialogs.chooserScript = {"-1"};
  EXPECT_FALSE(AskRepricingOptions());
  EXPECT_EQ(dialogs.dialogCalls, 1);
  EXPECT_EQ(dialogs.chooserCalls, 1);
}

TEST_F(OptionsDialog, F3AgainAndAgainUntilF12) {
  dialogs.script = {"F3", "F3", "F3", "F12"};
  dialogs.chooserScript = {"a.txt", "b.txt", "c.txt"};
  EXPECT_TRUE(AskRepricingOptions());
  EXPECT_EQ(dialogs.dialogCalls, 4);
  EXPECT_STREQ(repricingOptions.path, "c.txt");
}

TEST_F(OptionsDialog, AnIdentificationOutsideTheButtonsIsKeptWhenConfirmed) {
  repricingOptions.identifyBy = 3;
  dialogs.script = {"F12"};
  EXPECT_TRUE(AskRepricingOptions());
  EXPECT_EQ(+repricingOptions.identifyBy, 3);
  EXPECT_EQ(dialogs.showings[0].opened.groups[1], 3);
}

TEST_F(OptionsDialog, EachShowingIsInTheTranscriptAsTheUserConfirmedIt) {
  repricingOptions.copyName = 0;
  dialogs.script = {"tick; F12"};
  AskRepricingOptions();
  ASSERT_EQ(hostsim::Transcript().size(), 1u);
  const hostsim::Shown& shown = hostsim::Transcript()[0];
  EXPECT_EQ(shown.service, "runDialog");
  EXPECT_EQ(shown.title, "Wprowadź");
  EXPECT_EQ(shown.mode, CmdOk);
  EXPECT_NE(shown.text.find("(*) Ceny z pliku traktować jako «n»etto\n( ) Ceny z pliku traktować jako «b»rutto"),
            std::string::npos)
      << shown.text;
  EXPECT_NE(shown.text.find("(*) «S»ymbol\n( ) «I»ndeks\n( ) «U»wagi"), std::string::npos) << shown.text;
  EXPECT_NE(shown.text.find("[x] «P»rzepisz informacje o nazwie towaru"), std::string::npos) << shown.text;
  EXPECT_NE(shown.text.find("<«F12» OK>"), std::string::npos) << shown.text;
}

TEST_F(OptionsDialog, TheWarehouseChoice) {
  EXPECT_EQ(ChooseWarehouse(7), 7);  // the host's choice defaults to the one given
  EXPECT_EQ(dialogs.lastWarehouseGiven, 7);
  EXPECT_EQ(dialogs.lastWarehouseKind, 680);
  EXPECT_EQ(dialogs.lastWarehouseZero, 0);
  dialogs.warehouseScript = {-3, 12};
  EXPECT_EQ(ChooseWarehouse(7), -3);
  EXPECT_EQ(ChooseWarehouse(-3), 12);
  EXPECT_EQ(dialogs.warehouseCalls, 3);
}

}  // namespace
