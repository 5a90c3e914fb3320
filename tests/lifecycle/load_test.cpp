#include <cstring>
#include <functional>

#include "hostsim/services/svc_menu.h"
#include "hostsim/services/svc_messages.h"
#include "plugin_fixture.h"

namespace {

const char* const kOldHost = "Ta wersja programu Dalvenor nie obsługuje wtyczki";
const char* const kNewerPlugin = "Potrzebna nowsza wtyczka!";

struct LoadCase {
  const char* label;
  std::function<void()> configure;
  int32_t result;
  const char* refusal;  // null: no message through errorMessage
  bool registered;      // the command is in the menu afterwards
};

void Descriptor(int16_t recordLength, int16_t variant) {
  hostsim::descriptorConfig.recordLength = recordLength;
  hostsim::descriptorConfig.variant = variant;
}

using LoadChecks = PluginTest;

TEST_F(LoadChecks, EachRefusalAndItsMessage) {
  const LoadCase cases[] = {
      {"a fitting host", [] {}, 0, nullptr, true},
      {"capability 0", [] { hostsim::capabilityBits = 0; }, -1, kOldHost, false},
      {"capability without bit 0", [] { hostsim::capabilityBits = 0xFFFFFFFE; }, -1, kOldHost, false},
      {"capability bit 0 only", [] { hostsim::capabilityBits = 1; }, 0, nullptr, true},
      {"built Jan 02 2005", [] { hostsim::buildDate = "Jan 02 2005"; }, -1, kOldHost, false},
      {"built Dec 31 2004", [] { hostsim::buildDate = "Dec 31 2004"; }, -1, kOldHost, false},
      {"built Jan 03 2005", [] { hostsim::buildDate = "Jan 03 2005"; }, 0, nullptr, true},
      {"built Feb 01 2005", [] { hostsim::buildDate = "Feb 01 2005"; }, 0, nullptr, true},
      {"769 at 6, 0 at 12", [] { Descriptor(769, 0); }, 0, nullptr, true},
      {"769 at 6, -1 at 12", [] { Descriptor(769, -1); }, 0, nullptr, true},
      {"0 at 6, 720 at 12", [] { Descriptor(0, 720); }, 0, nullptr, true},
      {"768 at 6, 720 at 12", [] { Descriptor(768, 720); }, 0, nullptr, true},
      {"768 at 6, 721 at 12", [] { Descriptor(768, 721); }, -1, kNewerPlugin, true},
      {"720 at 6, 769 at 12", [] { Descriptor(720, 769); }, -1, kNewerPlugin, true},
      {"no descriptor", [] { hostsim::descriptorConfig.present = false; }, 0, nullptr, true},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.label);
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
    ASSERT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));
    c.configure();
    EXPECT_EQ(Load(), c.result);
    ASSERT_EQ(Count("errorMessage"), c.refusal ? 1 : 0);
    if (c.refusal) {
      EXPECT_EQ(hostsim::Transcript()[0].text, c.refusal);
      EXPECT_EQ(hostsim::Transcript().size(), 1u);  // and no first-run notice
      EXPECT_EQ(hostsim::noticeCalls.size(), 0u);
    }
    EXPECT_EQ(hostsim::FindMenuCommand(29999) != nullptr, c.registered);
    EXPECT_EQ(Unload(), 0);
    EXPECT_EQ(hostsim::menuInne.size(), 0u);
    EXPECT_EQ(hostsim::removeMenuCalls, std::vector<int>{29999});
  }
}

TEST_F(LoadChecks, AskTheHostInOrder) {
  EXPECT_EQ(Load(), 0);
  ASSERT_GE(hostsim::callbackCalls.size(), 1u);
  EXPECT_EQ(hostsim::callbackCalls[0], (std::pair<uint32_t, uint32_t>{1, 1}));
  ASSERT_EQ(hostsim::dateCalls.size(), 2u);
  EXPECT_FALSE(hostsim::dateCalls[0].has_value());
  EXPECT_EQ(hostsim::dateCalls[1], std::optional<std::string>("Jan 03 2005"));
  EXPECT_EQ(hostsim::addMenuCalls, 1);
  EXPECT_EQ(hostsim::descriptorCalls, std::vector<int>{49});
}

TEST_F(LoadChecks, EveryLoadCallRegistersAgain) {
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(hostsim::addMenuCalls, 2);
  EXPECT_EQ(hostsim::menuInne.size(), 1u);
}

TEST_F(LoadChecks, UnloadAfterARefusedLoadStillRemovesTheCommand) {
  hostsim::capabilityBits = 0;
  EXPECT_EQ(Load(), -1);
  EXPECT_EQ(Unload(), 0);
  EXPECT_EQ(hostsim::removeMenuCalls, std::vector<int>{29999});
}

TEST_F(LoadChecks, NameBufferGetsTheNameWithItsTerminatorAndNothingMore) {
  unsigned char buffer[64];
  std::memset(buffer, 0xCC, sizeof buffer);
  hostsim::CallOutcome o = hostsim::LoadCall(reinterpret_cast<char*>(buffer));
  ASSERT_TRUE(o.completed);
  EXPECT_EQ(o.result, 0);
  const char name[] = "Przecena w kilku magazynach z pliku";
  static_assert(sizeof name == 36);
  EXPECT_EQ(std::memcmp(buffer, name, 36), 0);
  EXPECT_EQ(buffer[36], 0xCC);
}

TEST_F(LoadChecks, NullNameBufferBehavesTheSame) {
  hostsim::CallOutcome o = hostsim::LoadCall(nullptr);
  ASSERT_TRUE(o.completed);
  EXPECT_EQ(o.result, 0);
  EXPECT_NE(hostsim::FindMenuCommand(29999), nullptr);
  EXPECT_EQ(hostsim::noticeCalls.size(), 1u);
}

}  // namespace
