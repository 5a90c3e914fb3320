#include <cstring>

#include "hostsim/services/svc_menu.h"
#include "plugin_fixture.h"

namespace {

using MenuCommandEntry = PluginTest;

TEST_F(MenuCommandEntry, BytesAsTheHostReadsThem) {
  ASSERT_EQ(Load(), 0);
  const hostsim::MenuCommand* c = hostsim::FindMenuCommand(29999);
  ASSERT_NE(c, nullptr);
  static_assert(sizeof c->bytes == 20);
  const unsigned char* b = c->bytes.data();
  const unsigned char code[4] = {0x00, 0x00, 0x58, 0x40};
  EXPECT_EQ(std::memcmp(b, code, 4), 0);
  EXPECT_EQ(b[8] | b[9] << 8, 29999);
  EXPECT_EQ(b[10] | b[11] << 8, 0);
  const unsigned char zero[4] = {};
  EXPECT_EQ(std::memcmp(b + 16, zero, 4), 0);

  uint32_t title, handler;
  std::memcpy(&title, b + 4, 4);
  std::memcpy(&handler, b + 12, 4);
  EXPECT_TRUE(hostsim::InPluginImage(title));
  EXPECT_TRUE(hostsim::InPluginImage(handler));
  EXPECT_EQ(c->title, "Przecena w magazynac~h~ (Velmora)");
  EXPECT_EQ(std::strcmp(reinterpret_cast<const char*>(title), "Przecena w magazynac~h~ (Velmora)"), 0);
}

TEST_F(MenuCommandEntry, HandlerIsCallableAndReturns) {
  ASSERT_EQ(Load(), 0);
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    hostsim::CallOutcome o = hostsim::ChooseMenuCommand(29999);
    EXPECT_TRUE(o.completed) << std::hex << o.exceptionCode;
  }
  EXPECT_FALSE(hostsim::ChooseMenuCommand(29998).completed);
}

}  // namespace
