// What the console shows besides the questions: the host's messages through their
// services, the system message box's buttons and the text file viewer, worked with
// scripted keys and read back cell by cell.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/mazovia.h"
#include "host/services.h"
#include "hostsim/base/transcript.h"
#include "hostsim/screen/keys.h"
#include "hostsim/screen/message_ui.h"
#include "hostsim/screen/screen.h"
#include "hostsim/screen/text_viewer.h"
#include "hostsim/services/console_questions.h"
#include "hostsim/services/console_shows.h"
#include "hostsim/services/reset.h"
#include "tests/hostsim/screen/scripted_console.h"

namespace {

using namespace hostsim;

Key K(uint16_t code) { return {code, 0, false, false}; }
Key Letter(char c) { return {static_cast<uint16_t>(c), static_cast<char16_t>(c), false, false}; }

class ConsoleShown : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHostSim();
    AskAtConsole(c.console, ".");
  }
  ScriptedConsole c;
};

// "Za mało pamięci" (15 cells) under "uwaga": the narrowest box, 24 x 5, at column 28,
// row 10; the text from column 31 of row 12.
TEST_F(ConsoleShown, PlainMessageIsABoxThatAKeyCloses) {
  c.keys = {K(KeySpace), K(KeyEnter)};
  messageBox("uwaga", Mz("Za mało pamięci"), 1);
  ASSERT_EQ(c.screens.size(), 1u);
  EXPECT_EQ(c.next, 1u);  // one key read, the next one left
  const Screen& s = c.screens[0];
  EXPECT_EQ(ScreenRow(s, 10, 28, 24), u"╔═══════ uwaga ════════╗");
  EXPECT_EQ(ScreenRow(s, 11, 28, 24), u"║                      ║");
  EXPECT_EQ(ScreenRow(s, 12, 28, 24), u"║  Za mało pamięci     ║");
  EXPECT_EQ(ScreenRow(s, 14, 28, 24), u"╚════ Enter dalej ═════╝");
  EXPECT_EQ(ScreenRow(s, 9, 28, 24), std::u16string(24, u' '));
  EXPECT_EQ(s.attrs[12][31], AttrWindow);
  EXPECT_EQ(Transcript().size(), 1u);  // the transcript records it as before
  EXPECT_EQ(Transcript()[0].text, "Za mało pamięci");
}

// Two lines, the second highlighted; the longest line (19 cells) makes the box 25 wide
// at column 27, 6 high at row 9.
TEST_F(ConsoleShown, FormattedMessageShowsItsLinesAndHighlight) {
  messageBoxFormat("uwaga", Mz("Zmieniono cen: %d\n\x02" "Błąd zmiany ceny:\x01 %d"), 1, 12, 0);
  ASSERT_EQ(c.screens.size(), 1u);
  const Screen& s = c.screens[0];
  EXPECT_EQ(ScreenRow(s, 9, 27, 25), u"╔════════ uwaga ════════╗");
  EXPECT_EQ(ScreenRow(s, 11, 27, 25), u"║  Zmieniono cen: 12    ║");
  EXPECT_EQ(ScreenRow(s, 12, 27, 25), u"║  Błąd zmiany ceny: 0  ║");
  EXPECT_EQ(ScreenRow(s, 14, 27, 25), u"╚═════ Enter dalej ═════╝");
  EXPECT_EQ(s.attrs[12][30], AttrHotKey);  // "B"
  EXPECT_EQ(s.attrs[12][46], AttrHotKey);  // ":"
  EXPECT_EQ(s.attrs[12][48], AttrWindow);  // "0"
}

TEST_F(ConsoleShown, MessageThatStaysUpReadsNoKey) {
  c.keys = {K(KeyEnter)};
  messageBox("uwaga", Mz("Proszę czekać"), MessageStaysUp);
  closeWaitMessage();
  ASSERT_EQ(c.screens.size(), 1u);
  EXPECT_EQ(c.next, 0u);
  EXPECT_EQ(ScreenRow(c.screens[0], 14, 28, 24), u"╚══════════════════════╝");  // no key to name
}

// A message without a title or a text (the plug-in always gives both) is the
// narrowest box, empty, that a key closes.
TEST_F(ConsoleShown, AMessageOfNothingIsAnEmptyBox) {
  const struct {
    const char* label;
    void (*call)();
  } rows[] = {
      {"plain", [] { messageBox(nullptr, nullptr, 1); }},
      {"formatted, no format", [] { messageBoxFormat(nullptr, nullptr, 1); }},
      {"formatted, an empty format", [] { messageBoxFormat(nullptr, "", 1); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    c.Restart({K(KeyEnter)});
    row.call();
    ASSERT_EQ(c.screens.size(), 1u);
    EXPECT_EQ(c.next, 1u);
    EXPECT_EQ(ScreenRow(c.screens[0], 10, 28, 24), u"╔══════════════════════╗");
    EXPECT_EQ(ScreenRow(c.screens[0], 12, 28, 24), u"║                      ║");
    EXPECT_EQ(ScreenRow(c.screens[0], 14, 28, 24), u"╚════ Enter dalej ═════╝");
    ASSERT_EQ(Transcript().size(), 1u);
    EXPECT_EQ(Transcript()[0].text, "");
  }
}

TEST(BatchConsole, MessagesGoToNoConsole) {
  ResetHostSim();
  FailUnanswered([](const std::string&) {});
  EXPECT_FALSE(consoleShows.message);
  EXPECT_FALSE(consoleShows.textFile);
  EXPECT_FALSE(consoleShows.box);
  messageBox("uwaga", "x", 1);
  EXPECT_EQ(Transcript().size(), 1u);
}

// With echo on, each thing shown is also a head line and its text's lines, indented,
// through the program's line writer or else on stdout; highlight as reverse video.
TEST(BatchConsole, EchoWritesEachShowingAsLines) {
  ResetHostSim();
  static std::vector<std::string> written;
  written.clear();
  echo = true;
  writeLine = [](const std::string& line) { written.push_back(line); };
  Show("messageBox", Mz("Błąd"), "a\x02" "b\x01\nc", 3);
  writeLine = nullptr;
  testing::internal::CaptureStdout();
  Show("errorMessage", nullptr, "x", 0);
  Show("closeWait", nullptr, "", 1);
  std::string out = testing::internal::GetCapturedStdout();
  echo = false;
  EXPECT_EQ(written, (std::vector<std::string>{"[messageBox] Błąd (mode 3)", "    a\x1b[1;7mb\x1b[0m", "    c"}));
  EXPECT_EQ(out, "[errorMessage]\n    x\n[closeWait]\n");
}

TEST(BoxButtons, SetsFollowTheFlags) {
  struct Row {
    unsigned flags;
    std::u16string labels;
  };
  const Row rows[] = {
      {0x00, u"OK"},          {0x01, u"OK|Cancel"}, {0x02, u"Abort|Retry|Ignore"}, {0x03, u"Yes|No|Cancel"},
      {0x04, u"Yes|No"},      {0x05, u"Retry|Cancel"}, {0x06, u"Cancel|Try Again|Continue"}, {0x07, u"OK"},
      {0x212, u"Abort|Retry|Ignore"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.flags);
    std::u16string labels;
    for (const BoxButton& b : BoxButtons(r.flags)) labels += (labels.empty() ? u"" : u"|") + std::u16string(b.label);
    EXPECT_EQ(labels, r.labels);
  }
}

// Abort / Retry / Ignore under "Błąd": the button row (32 cells) makes the box 38 x 7
// at column 21, row 9; the buttons on row 13 from column 24, the keys in the frame.
TEST_F(ConsoleShown, SystemBoxShowsItsButtons) {
  c.keys = {K(KeyEnter)};
  EXPECT_EQ(consoleShows.box(Mz("Błąd"), Mz("Brak usługi 52460"), 0x12), 3);
  ASSERT_EQ(c.screens.size(), 1u);
  const Screen& s = c.screens[0];
  EXPECT_EQ(ScreenRow(s, 9, 21, 38), u"╔═══════════════ Błąd ═══════════════╗");
  EXPECT_EQ(ScreenRow(s, 11, 21, 38), u"║  Brak usługi 52460                 ║");
  EXPECT_EQ(ScreenRow(s, 13, 21, 38), u"║  [ Abort ]  [ Retry ]  [ Ignore ]  ║");
  EXPECT_EQ(ScreenRow(s, 15, 21, 38), u"╚═══ ←→ przycisk   Enter wybiera ════╝");  // no Cancel: Esc does nothing
  EXPECT_EQ(s.attrs[13][24], AttrFocus);
  EXPECT_EQ(s.attrs[13][26], AttrFocusHotKey);  // A
  EXPECT_EQ(s.attrs[13][35], AttrButton);
  EXPECT_EQ(s.attrs[13][37], AttrButtonKey);    // R
  EXPECT_EQ(s.attrs[13][48], AttrButtonKey);    // I
  EXPECT_EQ(s.attrs[13][33], AttrWindow);
}

TEST_F(ConsoleShown, SystemBoxKeysChooseAButton) {
  struct Row {
    const char* what;
    unsigned flags;
    std::vector<Key> keys;
    int answer;
    std::size_t screens;
  };
  const Row rows[] = {
      {"Enter on the first", 0x02, {K(KeyEnter)}, 3, 1},
      {"Right, Enter", 0x02, {K(KeyRight), K(KeyEnter)}, 4, 2},
      {"Left wraps to the last", 0x02, {K(KeyLeft), K(KeyEnter)}, 5, 2},
      {"Tab, Tab, Shift-Tab", 0x02, {K(KeyTab), K(KeyTab), {KeyTab, 0, true, false}, K(KeyEnter)}, 4, 4},
      {"hot letter", 0x02, {Letter('I')}, 5, 1},
      {"Esc without Cancel does nothing", 0x02, {K(KeyEscape), K(KeyDown), Letter('R')}, 4, 3},
      {"default second button", 0x102, {K(KeyEnter)}, 4, 1},
      {"default beyond the buttons is the last", 0x305, {K(KeyEnter)}, 2, 1},
      {"Esc is Cancel", 0x03, {K(KeyEscape)}, 2, 1},
      {"Esc is a lone OK", 0x00, {K(KeyEscape)}, 1, 1},
      {"OK has no letter", 0x01, {Letter('O'), K(KeyEnter)}, 1, 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    ScriptedConsole here;
    here.keys = r.keys;
    EXPECT_EQ(WorkBox("x", "y", r.flags, here.console), r.answer);
    EXPECT_EQ(here.screens.size(), r.screens);
    EXPECT_EQ(here.next, r.keys.size());
  }
}

// Thirty lines "linia 1" ... "linia 30" and one of 80 cells: 23 shown at once.
std::string ThirtyLines() {
  std::string text;
  for (int i = 1; i <= 30; ++i) text += "linia " + std::to_string(i) + (i == 2 ? std::string(73, '-') : "") + "\n";
  return text;
}

TEST(TextViewer, KeysScrollTheFile) {
  struct Row {
    const char* what;
    std::vector<Key> keys;
    std::u16string first;  // row 1 from column 2, 10 cells
    std::u16string where;  // the bottom line from column 32, 15 cells
  };
  const Row rows[] = {
      {"opened", {}, u"linia 1   ", u" wiersz 1 z 30 "},
      {"Down", {K(KeyDown)}, u"linia 2---", u" wiersz 2 z 30 "},
      {"Up at the top", {K(KeyUp)}, u"linia 1   ", u" wiersz 1 z 30 "},
      {"PgDn stops at the last window", {K(KeyPageDown)}, u"linia 8   ", u" wiersz 8 z 30 "},
      {"End, Up", {K(KeyEnd), K(KeyUp)}, u"linia 7   ", u" wiersz 7 z 30 "},
      {"End, PgUp", {K(KeyEnd), K(KeyPageUp)}, u"linia 1   ", u" wiersz 1 z 30 "},
      {"Down, Right 5 stops at the longest", {K(KeyDown), K(KeyRight), K(KeyRight), K(KeyRight), K(KeyRight), K(KeyRight)},
       u"a 2-------", u" wiersz 2 z 30 "},
      {"Right, Home", {K(KeyRight), K(KeyDown), K(KeyHome)}, u"linia 1   ", u" wiersz 1 z 30 "},
      {"Right, Left", {K(KeyRight), K(KeyLeft)}, u"linia 1   ", u" wiersz 1 z 30 "},
      {"a key of no use", {K(KeyTab)}, u"linia 1   ", u" wiersz 1 z 30 "},
  };
  std::string text = ThirtyLines();
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    ScriptedConsole c;
    c.keys = r.keys;
    WorkTextFile("INFO.TXT", text, c.console);
    ASSERT_EQ(c.screens.size(), r.keys.size() + 1);  // closed by the Esc after the keys
    const Screen& s = c.screens.back();
    EXPECT_EQ(ScreenRow(s, 1, 2, 10), r.first);
    EXPECT_EQ(ScreenRow(s, 24, 32, 15), r.where);
    EXPECT_EQ(ScreenRow(s, 0, 34, 12), u"═ INFO.TXT ═");
  }
}

TEST(TextViewer, ShowsPolishLettersAndTabsOfCrLfLines) {
  Screen s;
  DrawTextFile(s, Mz("Łódź"), Mz("a\tŻółć\r\nbez końca\r\n"), 0, 0);
  EXPECT_EQ(ScreenRow(s, 1, 0, 16), u"║ a       Żółć  ");
  EXPECT_EQ(ScreenRow(s, 2, 0, 12), u"║ bez końca ");
  EXPECT_EQ(ScreenRow(s, 3, 0, 4), u"║   ");
  EXPECT_EQ(ScreenRow(s, 0, 36, 8), u"═ Łódź ═");
  EXPECT_EQ(ScreenRow(s, 24),
            u"╚═ ↑↓ PgUp PgDn Home End ════════ wiersz 1 z 2 ══════════════════ Esc wyjście ═╝");
  DrawTextFile(s, Mz("Łódź"), Mz("a\tŻółć\r\nbez końca\r\n"), 0, 10);  // scrolled past the second line's end
  EXPECT_EQ(ScreenRow(s, 1, 2, 4), u"łć  ");
  EXPECT_EQ(ScreenRow(s, 2, 2, 4), u"    ");
}

// Ten tabs take 80 columns and a carriage return none: the line is 86 wide, so Right
// stops with its end at the window's last column (76 shown, from column 2). A last line
// without a line feed is a line.
TEST(TextViewer, RightStopsAtTheEndOfALineOfTabs) {
  ScriptedConsole c;
  c.keys = std::vector<Key>(12, K(KeyRight));
  WorkTextFile("INFO.TXT", std::string(10, '\t') + "koniec\r\ndruga", c.console);
  ASSERT_EQ(c.screens.size(), 13u);
  const Screen& s = c.screens.back();
  EXPECT_EQ(ScreenRow(s, 1, 2, 76), std::u16string(70, u' ') + u"koniec");
  EXPECT_EQ(ScreenRow(s, 24, 33, 14), u" wiersz 1 z 2 ");
}

}  // namespace
