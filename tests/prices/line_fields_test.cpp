// Fields of a price file line: TAB separated, CR and LF closing a field, a field
// existing only when a separator follows it.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "hostsim/services/memory.h"
#include "reprice/price_list.h"

namespace {

struct FieldCase {
  const char* line;
  int k;
  int result;
  const char* field;  // when result is 0
};

TEST(LineFields, FieldsExistOnlyWhenASeparatorFollows) {
  const FieldCase cases[] = {
      {"ABC\tKawa\tx\ty\t12,50\n", 0, 0, "ABC"},
      {"ABC\tKawa\tx\ty\t12,50\n", 1, 0, "Kawa"},
      {"ABC\tKawa\tx\ty\t12,50\n", 4, 0, "12,50"},
      {"ABC\tKawa\tx\ty\t12,50\n", 5, 1, nullptr},
      {"ABC\tKawa\tx\ty\t12,50\r\n", 4, 0, "12,50"},
      {"ABC\tKawa\tx\ty\t12,50\r\n", 5, 0, ""},  // CR and LF are two separators
      {"ABC\tKawa\tx\ty\t12,50", 4, 1, nullptr}, // a final line without line end
      {"ABC\tKawa\tx\ty\t12,50", 3, 0, "y"},
      {"ABC\tKawa\tx\ty\t12,50\tz", 4, 0, "12,50"},
      {"\tKawa\tx\ty\t1\n", 0, 0, ""},          // a leading TAB: empty field 0
      {"\tKawa\tx\ty\t1\n", 1, 0, "Kawa"},
      {"A\tB\n", 4, 1, nullptr},
      {"A\tB\n", 2, 1, nullptr},
      {"", 0, 1, nullptr},
      {"\n", 0, 0, ""},
      {"A\rB\rC\n", 2, 0, "C"},                 // a lone CR separates too
      {" ABC \t \"Kawa\" \n", 0, 0, " ABC "},   // nothing trimmed, quotes are text
      {" ABC \t \"Kawa\" \n", 1, 0, " \"Kawa\" "},
      {"A\t\t\t\t5\n", 4, 0, "5"},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(std::string("line \"") + c.line + "\" field " + std::to_string(c.k));
    char line[256], out[256];
    std::strcpy(line, c.line);
    std::memset(out, '#', sizeof out);
    ASSERT_EQ(GetLineField(c.k, line, out), c.result);
    if (c.result == 0) {
      EXPECT_STREQ(out, c.field);
    }
  }
}

TEST(LineFields, LineEndsBecomeTabsInPlaceSoRepeatedCallsAgree) {
  char line[256] = "A\tB\r\nC";
  char out[256];
  ASSERT_EQ(GetLineField(1, line, out), 0);
  EXPECT_STREQ(line, "A\tB\t\tC");
  ASSERT_EQ(GetLineField(1, line, out), 0);
  EXPECT_STREQ(out, "B");
}

TEST(LineFields, CopiesThroughTheHostsBoundedCopy) {
  hostsim::ResetMemory();
  char line[256] = "A\tB\tC\n";
  char out[256];
  GetLineField(2, line, out);
  EXPECT_EQ(hostsim::memory.copyCalls, 1);
}

TEST(LineFields, AFieldLongerThanTheOutputIsCutNotOverflowed) {
  std::string longLine = std::string(600, 'a') + "\tb\n";
  std::string out(300, '#');
  ASSERT_EQ(GetLineField(0, longLine.data(), out.data()), 0);
  EXPECT_EQ(std::strlen(out.c_str()), 255u);
  EXPECT_EQ(out[256], '#');
}

TEST(LineFields, CommaToPointReplacesEveryComma) {
  char text[] = "1,234,5,";
  CommaToPoint(text);
  EXPECT_STREQ(text, "1.234.5.");
}

}  // namespace
