#include "host/services.h"
#include "hostsim/services/service_table.h"
#include "plugin_fixture.h"

namespace {

int Marker() { return 0x12345678; }

TEST(HostCallbackOfTheStandIn, AnswersByKindAndRecordsEveryCall) {
  hostsim::ResetHostSim();
  hostsim::capabilityBits = 0x5;
  hostsim::missingServices.insert(52028);
  hostsim::namedFunctions["GetVersionExA"] = reinterpret_cast<void*>(&Marker);
  const char known[] = "GetVersionExA", unknown[] = "NoSuchFunction";
  struct Row { const char* label; uint32_t kind, value, expected; } rows[] = {
      {"capabilities", 1, 1, 0x5},
      {"a service: the stand-in's own function", 2, 52030, reinterpret_cast<uint32_t>(&errorMessage)},
      {"a missing service", 2, 52028, 0},
      {"an ordinal not in the list", 2, 30000, 0},
      {"a known name", 2, reinterpret_cast<uint32_t>(known), reinterpret_cast<uint32_t>(&Marker)},
      {"an unknown name", 2, reinterpret_cast<uint32_t>(unknown), 0},
      {"another kind", 3, 1, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.label);
    EXPECT_EQ(hostsim::Callback(r.kind, r.value), r.expected);
  }
  ASSERT_EQ(hostsim::callbackCalls.size(), std::size(rows));
  EXPECT_EQ(hostsim::callbackCalls[4], (std::pair<uint32_t, uint32_t>{2, reinterpret_cast<uint32_t>(known)}));
  EXPECT_EQ(hostsim::callbackNames, (std::vector<std::string>{"GetVersionExA", "NoSuchFunction"}));
}

}  // namespace
