// The report of a missing service, byte for byte: under the DOS extender as built, under
// Windows with the highlight bytes as spaces and converted by the host's 52158; the
// program's name as the system gives it, cut at 300 characters.
#include <cstring>

#include "frame/lifecycle/lifecycle.h"
#include "host/charsets.h"
#include "host/mazovia.h"
#include "host/records.h"
#include "host/services.h"
#include "hostsim/win32/import_patch.h"
#include "tests/binding/binding_fixture.h"
#include "tests/support/windows1250.h"

namespace binding_test {
namespace {

using testing_support::Cp1250;

std::string ProgramFileName() {
  char name[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
  return std::string(name, length);
}

// The host's 52158 as the test host offers it: records each call and converts like the
// host would for its message box.
struct ConvertCall {
  char* text;
  char* sameText;
  int from, to;
  std::string before;
};
std::vector<ConvertCall> convertCalls;
void __cdecl HostConvert(char* text, char* sameText, int from, int to) {
  convertCalls.push_back({text, sameText, from, to, text});
  for (char* c = text; *c; ++c) {
    int converted = charsets::MazoviaToWindows1250(static_cast<unsigned char>(*c));
    if (converted >= 0) *c = static_cast<char>(converted);
  }
}

class ReportTest : public BindingTest {
 protected:
  void SetUp() override {
    BindingTest::SetUp();
    convertCalls.clear();
    Unbind(&Entry(52158));
  }
};

constexpr char kTail[] =
    ".\n\nBłąd ten można zignorować lecz dalsza praca\n"
    "programu w tych warunkach może być niebezpieczna.\n\n"
    "Konieczna jest aktualizacja programu!";

TEST_F(ReportTest, UnderTheDosExtenderShowsTheMazoviaTextWithItsHighlights) {
  underWindows = 0;
  services[52158] = reinterpret_cast<void*>(&HostConvert);
  answers = {IDIGNORE};
  EXPECT_TRUE(ReportMissingService(52071));
  ASSERT_EQ(boxes.size(), 1u);
  const std::string expected = std::string(Mz("W module \x02")) + ProgramFileName() +
                               Mz("\x01\nbrak wpisu \x02") + "52071" + Mz("\x01\nWywołano z wtyczki \x02") +
                               Mz("Przecena w kilku magazynach z pliku") + Mz("\x01") + MzArray(kTail).data();
  EXPECT_EQ(boxes[0].text, expected);
  EXPECT_EQ(boxes[0].caption, Mz("POWAŻNY BŁĄD WTYCZKI"));
  EXPECT_EQ(boxes[0].flags, 0x2012u);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_TRUE(convertCalls.empty());
  EXPECT_EQ(kindTwoCalls[52158], 0);
}

TEST_F(ReportTest, UnderWindowsShowsSpacesForHighlightsAndTheConvertedText) {
  underWindows = 1;
  services[52158] = reinterpret_cast<void*>(&HostConvert);
  answers = {IDABORT};
  EXPECT_FALSE(ReportMissingService(52071));
  ASSERT_EQ(boxes.size(), 1u);
  const std::string expected = Cp1250("W module  " + ProgramFileName() + " \nbrak wpisu  52071 \n" +
                                      "Wywołano z wtyczki  Przecena w kilku magazynach z pliku " + kTail);
  EXPECT_EQ(boxes[0].text, expected);
  EXPECT_EQ(boxes[0].caption, Cp1250("POWAŻNY BŁĄD WTYCZKI"));
  EXPECT_EQ(boxes[0].flags, 0x2012u);
  ASSERT_EQ(convertCalls.size(), 2u);  // the message, then the caption, each in place
  for (const ConvertCall& call : convertCalls) {
    EXPECT_EQ(call.text, call.sameText);
    EXPECT_EQ(call.from, 1);
    EXPECT_EQ(call.to, 3);
  }
  EXPECT_EQ(convertCalls[0].before.find_first_of("\x01\x02"), std::string::npos);
  EXPECT_EQ(convertCalls[1].before, Mz("POWAŻNY BŁĄD WTYCZKI"));
  EXPECT_EQ(kindTwoCalls[52158], 1);
}

// A host without 52158: the plug-in converts the Polish letters itself, asks the host
// for 52158 only once, and does not report 52158 on top of the service it reports.
// The same when 52158 was given up earlier: it is not called (it would raise).
TEST_F(ReportTest, UnderWindowsWithoutTheHostsConversionStillConverts) {
  underWindows = 1;
  answers = {IDIGNORE, IDIGNORE};
  EXPECT_TRUE(ReportMissingService(52071));
  EXPECT_TRUE(ReportMissingService(52072));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].caption, Cp1250("POWAŻNY BŁĄD WTYCZKI"));
  EXPECT_EQ(boxes[1].caption, "POWA\xAFNY B\xA3\xA5" "D WTYCZKI");  // the bytes, apart from any table
  EXPECT_NE(boxes[1].text.find(Cp1250("Błąd ten można zignorować")), std::string::npos);
  EXPECT_EQ(kindTwoCalls[52158], 1);

  Entry(52158).dead = 1;
  answers = {IDIGNORE};
  EXPECT_TRUE(ReportMissingService(52073));
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[2].caption, Cp1250("POWAŻNY BŁĄD WTYCZKI"));
  EXPECT_EQ(kindTwoCalls[52158], 1);
}

// GetModuleFileNameA as the system gives it, answered from the outside.
std::string fakeProgramName;
DWORD WINAPI FakeModuleFileName(HMODULE, LPSTR buffer, DWORD size) {
  // Like older Windows: a cut name fills the buffer and stays unterminated.
  DWORD length = std::min<DWORD>(fakeProgramName.size(), size);
  std::memcpy(buffer, fakeProgramName.data(), length);
  if (length < size) buffer[length] = 0;
  return length;
}

TEST_F(ReportTest, ProgramNameIsCutAt300CharactersOrUnknown) {
  const struct {
    const char* label;
    std::string name, shown;
  } rows[] = {
      {"400 characters", "C:\\" + std::string(397, 'p'), "C:\\" + std::string(297, 'p')},
      {"exactly 300", std::string(300, 'q'), std::string(300, 'q')},
      {"none", "", "<nieznany>"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    boxes.clear();
    fakeProgramName = row.name;
    void* original = hostsim::PatchImport(GetModuleHandleA(nullptr), "kernel32.dll", "GetModuleFileNameA",
                                          reinterpret_cast<void*>(&FakeModuleFileName));
    ASSERT_NE(original, nullptr);
    answers = {IDIGNORE};
    ReportMissingService(52071);
    hostsim::PatchImport(GetModuleHandleA(nullptr), "kernel32.dll", "GetModuleFileNameA", original);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind(std::string(Mz("W module \x02")) + row.shown + "\x01\n", 0), 0u);
  }
}

}  // namespace
}  // namespace binding_test
