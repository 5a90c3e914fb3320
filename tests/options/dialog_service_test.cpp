// The stand-in's dialog service refuses a description that is not sound, so that a
// fault in the plug-in's description cannot pass unnoticed.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/mazovia.h"
#include "host/services.h"
#include "hostsim/player/answers.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/reset.h"
#include "reprice/options.h"

namespace {

std::vector<unsigned char> Template() {
  return std::vector<unsigned char>(OptionsDialogTemplate, OptionsDialogTemplate + sizeof OptionsDialogTemplate);
}

// Offset of control record n (1-based; 0 is the window record).
std::size_t RecordAt(const std::vector<unsigned char>& t, int n) {
  std::size_t at = 8;
  for (int i = 0; i < n; ++i) {
    uint16_t kind = t[at] | t[at + 1] << 8, key = t[at + 6] | t[at + 7] << 8;
    at += 20;
    while (t[at]) ++at;
    ++at;
    if (kind == 5) at += 18;
    if (kind == 3 && key) at += 4;
  }
  return at;
}

TEST(DialogService, RefusesDescriptionsThatAreNotSound) {
  struct Case {
    const char* name;
    void (*spoil)(std::vector<unsigned char>&);
  };
  const Case cases[] = {
      {"byte count", [](std::vector<unsigned char>& t) { t[0] = 0x0F; }},
      {"window byte count", [](std::vector<unsigned char>& t) { t[4] = 0x0B; }},
      {"one control too few", [](std::vector<unsigned char>& t) { t[6] = 12; }},
      {"one control too many", [](std::vector<unsigned char>& t) { t[6] = 14; }},
      {"window kind", [](std::vector<unsigned char>& t) { t[8] = 3; t[9] = 0; }},
      {"unknown kind", [](std::vector<unsigned char>& t) { t[RecordAt(t, 6)] = 4; }},
      {"second window", [](std::vector<unsigned char>& t) { t[RecordAt(t, 3)] = 0xFF; t[RecordAt(t, 3) + 1] = 0xFF; }},
      {"button without command", [](std::vector<unsigned char>& t) { t[RecordAt(t, 12) + 2] = 0xFF; t[RecordAt(t, 12) + 3] = 0xFF; }},
      {"radio button without data flag", [](std::vector<unsigned char>& t) { t[RecordAt(t, 4) + 5] = 0; }},
      {"nonzero spare bytes", [](std::vector<unsigned char>& t) { t[RecordAt(t, 7) + 17] = 1; }},
      {"last text unterminated", [](std::vector<unsigned char>& t) { t[529] = '!'; }},
      {"input line lengths differ", [](std::vector<unsigned char>& t) { t[RecordAt(t, 2) + 21 + 13] = 0x7F; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hostsim::ResetHostSim();
    std::vector<unsigned char> t = Template();
    c.spoil(t);
    RepricingOptions data;
    std::memset(&data, 0x5A, sizeof data);
    hostsim::dialogs.script.push_back("tick; F12");
    EXPECT_EQ(runDialog(t.data(), 1, &data, 0), hostsim::DialogLeft);
    EXPECT_EQ(hostsim::dialogs.rejected, 1);
    for (std::size_t i = 0; i < sizeof data; ++i) ASSERT_EQ(reinterpret_cast<unsigned char*>(&data)[i], 0x5A);
  }
}

TEST(DialogService, WritesBackOnlyTheDataRecordsBytes) {
  hostsim::ResetHostSim();
  unsigned char data[sizeof(RepricingOptions) + 8];
  std::memset(data, 0, sizeof data);
  std::memset(data + sizeof(RepricingOptions), 0xEE, 8);
  hostsim::dialogs.script.push_back("type " + std::string(300, 'p') + "; choose U; choose B; tick; F12");
  EXPECT_EQ(runDialog(OptionsDialogTemplate, 1, data, 0), CmdOk);
  EXPECT_EQ(hostsim::dialogs.rejected, 0);
  RepricingOptions o;
  std::memcpy(&o, data, sizeof o);
  EXPECT_EQ(std::string(o.path), std::string(128, 'p'));  // an input line holds 128
  EXPECT_EQ(+o.gross, 1);
  EXPECT_EQ(+o.identifyBy, 2);
  EXPECT_EQ(+o.copyName, 1);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(data[sizeof(RepricingOptions) + i], 0xEE);
}

TEST(DialogService, ScriptActionsThatDoNotFitAreCounted) {
  hostsim::ResetHostSim();
  RepricingOptions o{};
  hostsim::dialogs.script.push_back("choose Q; wiggle; F12");
  EXPECT_EQ(runDialog(OptionsDialogTemplate, 1, &o, 0), CmdOk);
  EXPECT_EQ(hostsim::dialogs.scriptErrors, 2);
}

// "answer N" plays a host that answers a command of its own: N as it is, nothing of the
// showing written back; no number is a script error and the showing is left.
TEST(DialogService, AnAnswerGivesItsCommandAndWritesNothingBack) {
  const struct {
    const char* script;
    int16_t command;
    int errors;
  } rows[] = {{"answer 7", 7, 0},        {"answer 0", 0, 0},     {"answer -3", -3, 0},
              {"tick; answer 1000", 1000, 0}, {"answer x; tick", 20482, 1}, {"answer", 20482, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.script);
    hostsim::ResetHostSim();
    RepricingOptions o{};
    hostsim::dialogs.script.push_back(row.script);
    EXPECT_EQ(runDialog(OptionsDialogTemplate, 1, &o, 0), row.command);
    EXPECT_EQ(+o.copyName, 0);
    EXPECT_EQ(hostsim::dialogs.scriptErrors, row.errors);
  }
}

// "choose" takes one character, in the answers file's check as in the showing: a
// letter that is one byte for the host (Ś) reaches the radio button whose hot key it
// is, a lower-case ASCII letter the button of its capital, whether the actions come
// from the answers file or straight into the script.
TEST(DialogService, AChosenLetterIsOneCharacterInTheCheckAndInTheShowing) {
  const unsigned char s = static_cast<unsigned char>(Mz("Ś")[0]);
  const struct {
    const char* actions;
    unsigned char brutto;  // the hot key of radio button 5 ("~b~rutto")
    int16_t gross;
    int errors;
  } rows[] = {{"choose Ś; F12", s, 1, 0},   {"choose b; F12", s, 0, 1},   {"choose b; F12", 'B', 1, 0},
              {"choose B; F12", 'B', 1, 0}, {"choose Ś; F12", 'B', 0, 1}, {"choose ś; F12", s, 0, 1}};
  for (const auto& row : rows) {
    for (bool fromAnswers : {false, true}) {
      SCOPED_TRACE(std::string(row.actions) + (fromAnswers ? " (answers file)" : " (script)"));
      hostsim::ResetHostSim();
      if (fromAnswers) {
        std::string error;
        ASSERT_TRUE(hostsim::ParseAnswers(std::string("dialog = ") + row.actions + "\n", error)) << error;
        hostsim::ApplyAnswers();
      } else {
        hostsim::dialogs.script.push_back(row.actions);
      }
      std::vector<unsigned char> t = Template();
      t[RecordAt(t, 5) + 6] = row.brutto;
      RepricingOptions o{};
      EXPECT_EQ(runDialog(t.data(), 1, &o, 0), CmdOk);
      EXPECT_EQ(+o.gross, row.gross);
      EXPECT_EQ(hostsim::dialogs.scriptErrors, row.errors);
    }
  }
}

TEST(DialogService, WithoutScriptTheDialogIsLeft) {
  hostsim::ResetHostSim();
  RepricingOptions o{};
  EXPECT_EQ(runDialog(OptionsDialogTemplate, 1, &o, 0), CmdCancel);
  hostsim::dialogs.script.push_back("tick");
  EXPECT_EQ(runDialog(OptionsDialogTemplate, 1, &o, 0), CmdCancel);
  EXPECT_EQ(+o.copyName, 0);  // leaving writes nothing back
}

}  // namespace
