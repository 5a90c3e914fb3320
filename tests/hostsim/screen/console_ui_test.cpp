// The questions at the console: the options dialog, the file chooser and the warehouse
// entry, worked with scripted keys through the host services, their screens read back
// cell by cell, and a batch run's refusal of a question the answers do not answer.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/arguments.h"
#include "host/mazovia.h"
#include "host/services.h"
#include "hostsim/base/utf8_path.h"
#include "hostsim/screen/chooser_ui.h"
#include "hostsim/screen/keys.h"
#include "hostsim/screen/screen.h"
#include "hostsim/services/console_questions.h"
#include "hostsim/services/console_shows.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/reset.h"
#include "reprice/options.h"
#include "tests/hostsim/screen/scripted_console.h"

namespace {

using namespace hostsim;

Key K(uint16_t code) { return {code, 0, false, false}; }
Key Shift(uint16_t code) { return {code, 0, true, false}; }
Key Alt(char letter) { return {static_cast<uint16_t>(letter), 0, false, true}; }
// A typed character as the console gives it: letters and digits with their key code,
// the space bar as KeySpace, every other character with a code of no key used here.
Key Char(char16_t c) {
  uint16_t code = 0xBE;
  if (c >= u'a' && c <= u'z') code = static_cast<uint16_t>(c - u'a' + u'A');
  if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u' ') code = c;
  return {code, c, false, false};
}
std::vector<Key> Type(std::u16string_view text) {
  std::vector<Key> keys;
  for (char16_t c : text) keys.push_back(Char(c));
  return keys;
}
std::vector<Key> operator+(std::vector<Key> a, const std::vector<Key>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The options record as the plug-in keeps it: path[129], then gross, identifyBy and
// copyName (int16, little-endian), 135 bytes.
struct Record {
  unsigned char bytes[135];
};
Record MakeRecord(const std::string& path, int16_t gross, int16_t by, int16_t copy) {
  Record r{};
  std::memcpy(r.bytes, path.data(), path.size());
  std::memcpy(r.bytes + 129, &gross, 2);
  std::memcpy(r.bytes + 131, &by, 2);
  std::memcpy(r.bytes + 133, &copy, 2);
  return r;
}
std::string PathOf(const Record& r) { return std::string(reinterpret_cast<const char*>(r.bytes), strnlen(reinterpret_cast<const char*>(r.bytes), 129)); }
int16_t At(const Record& r, int offset) {
  int16_t v;
  std::memcpy(&v, r.bytes + offset, 2);
  return v;
}

class ConsoleUi : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHostSim();
    AskAtConsole(c.console, folder);
  }
  ScriptedConsole c;
  std::string folder = ".";
};

// Whatever falls outside the 80 x 25 cells is dropped, a window narrower or lower than
// its frame is not drawn, and a title wider than the frame is cut.
TEST(Screen, DrawingIsClippedAtTheEdges) {
  static Screen s;
  const struct {
    const char* label;
    int x, y;
    std::u16string text;
    int returned;
    std::u16string shown;  // ScreenRow(s, y, x, 4) afterwards
  } rows[] = {{"past the right edge", 78, 0, u"abcd", 82, u"ab"}, {"before the left edge", -2, 1, u"abcd", 2, u"cd"},
              {"above the screen", 0, -1, u"x", 1, u""},          {"below the screen", 0, 25, u"x", 1, u""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ClearScreen(s, AttrScreen);
    EXPECT_EQ(PutText(s, row.x, row.y, row.text, AttrWindow), row.returned);
    EXPECT_EQ(ScreenRow(s, row.y, row.x, 4), row.shown);
  }
  ClearScreen(s, AttrScreen);
  DrawWindow(s, 0, 5, 1, 3, u"", AttrWindow);
  DrawWindow(s, 0, 5, 3, 1, u"", AttrWindow);
  FillArea(s, 0, 5, -1, 1, AttrWindow);
  EXPECT_EQ(ScreenRow(s, 5, 0, 3), u"   ");
  EXPECT_EQ(s.attrs[5][0], AttrScreen);
  DrawWindow(s, 0, 10, 6, 3, u"abcdefgh", AttrWindow);
  EXPECT_EQ(ScreenRow(s, 10, 0, 6), u"╔ abc╗");
}

// Window: 45 x 20 centred, at column 17, row 2; the controls at its place plus theirs.
TEST_F(ConsoleUi, DialogIsDrawnFromItsDescription) {
  Record r = MakeRecord("towary.txt", 1, 0, 0);
  c.keys = {K(KeyEscape)};
  runDialog(OptionsDialogTemplate, 1, r.bytes, 0);
  ASSERT_FALSE(c.screens.empty());
  const Screen& s = c.screens.front();
  struct Row {
    int x, y;
    std::u16string text;
  } rows[] = {
      {17, 2, u"╔════════════════ Wprowadź ═════════════════╗"},
      {17, 3, u"║                                           ║"},
      {17, 4, u"║ Plik przeceny:                            ║"},
      {17, 5, u"║ towary.txt                                ║"},
      {17, 7, u"║ ( ) Ceny z pliku traktować jako netto     ║"},
      {17, 8, u"║ (*) Ceny z pliku traktować jako brutto    ║"},
      {17, 10, u"║ Identyfikacja poprzez:                    ║"},
      {17, 11, u"║ (*) Symbol                                ║"},
      {17, 12, u"║ ( ) Indeks                                ║"},
      {17, 13, u"║ ( ) Uwagi                                 ║"},
      {17, 15, u"║ Opcje:                                    ║"},
      {17, 16, u"║ [ ] Przepisz informacje o nazwie towaru   ║"},
      {17, 18, u"║        F12 OK        F3 Zmień plik        ║"},
      {17, 21, u"╚═══════════════════════════════════════════╝"},
      {0, 0, std::u16string(80, u' ')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.y);
    EXPECT_EQ(ScreenRow(s, row.y, row.x, static_cast<int>(row.text.size())), row.text);
  }
  struct Cell {
    const char* what;
    int x, y;
    uint16_t attr;
  } cells[] = {
      {"behind the window", 0, 0, 0x07},  {"frame", 17, 2, 0x1F},
      {"hot key P", 19, 4, 0x1E},         {"after the hot key", 20, 4, 0x1F},
      {"focused input line", 19, 5, 0x2F}, {"end of the input line", 59, 5, 0x2F},
      {"after the input line", 60, 5, 0x1F}, {"hot key n", 51, 7, 0x1E},
      {"hot key S", 23, 11, 0x1E},        {"hot key P of the box", 23, 16, 0x1E},
      {"button", 25, 18, 0x70},           {"button key F", 26, 18, 0x74},
      {"button key 2", 28, 18, 0x74},     {"button text", 30, 18, 0x70},
      {"button end", 34, 18, 0x70},       {"between buttons", 35, 18, 0x1F},
      {"F3 key", 40, 18, 0x74},           {"F3 text", 43, 18, 0x70},
  };
  for (const Cell& cell : cells) {
    SCOPED_TRACE(cell.what);
    EXPECT_EQ(s.attrs[cell.y][cell.x], cell.attr);
  }
  EXPECT_TRUE(s.cursorShown);
  EXPECT_EQ(s.cursorX, 29);  // after "towary.txt"
  EXPECT_EQ(s.cursorY, 5);
}

// Every key of the dialog, from a fresh record (or the given one), as the bytes it
// leaves in the record and the command it answers.
TEST_F(ConsoleUi, KeysWorkTheDialogIntoTheRecord) {
  struct Case {
    const char* what;
    std::string path;  // the record's path before
    std::vector<Key> keys;
    int16_t command;
    std::string pathAfter;
    int16_t gross, by, copy;
  } cases[] = {
      {"F12 confirms as opened", "", {K(KeyF12)}, 20481, "", 0, 0, 0},
      {"Esc leaves, nothing written", "stary.txt", Type(u"x") + std::vector<Key>{K(KeyEscape)}, 20482, "stary.txt", 0, 0, 0},
      {"typing edits the input line", "", Type(u"ceny.txt") + std::vector<Key>{K(KeyF12)}, 20481, "ceny.txt", 0, 0, 0},
      {"Polish letters in Mazovia", "", Type(u"żółw Ś.txt") + std::vector<Key>{K(KeyF12)}, 20481,
       "\xA7\xA2\x92w \x98.txt", 0, 0, 0},
      {"Home, Delete, End, Backspace, Left", "abc",
       {K(KeyHome), K(KeyDelete), K(KeyEnd), K(KeyBackspace), K(KeyLeft), Char(u'x'), K(KeyRight), Char(u'y'), K(KeyF12)},
       20481, "xby", 0, 0, 0},
      {"Tab, Down and Space choose brutto", "", {K(KeyTab), K(KeyDown), K(KeySpace), K(KeyF12)}, 20481, "", 1, 0, 0},
      {"Right and Left move outside the input line", "",
       {K(KeyTab), K(KeyRight), K(KeyRight), K(KeyRight), K(KeyRight), K(KeyLeft), K(KeySpace), K(KeyF12)}, 20481, "",
       0, 1, 0},
      {"Up from the input line wraps to F3, Enter presses", "p.txt", {K(KeyUp), K(KeyEnter)}, 1000, "p.txt", 0, 0, 0},
      {"Shift-Tab goes back to F3", "", {Shift(KeyTab), K(KeySpace)}, 1000, "", 0, 0, 0},
      {"Enter moves on from the input line", "", {K(KeyEnter), K(KeyEnter), K(KeySpace), K(KeyF12)}, 20481, "", 1, 0, 0},
      {"Alt with a letter in the input line", "", {Alt('B'), Alt('I'), K(KeyF12)}, 20481, "", 1, 1, 0},
      {"a letter alone types in the input line", "", Type(u"bu") + std::vector<Key>{K(KeyF12)}, 20481, "bu", 0, 0, 0},
      {"a letter alone chooses elsewhere", "", {K(KeyTab), Char(u'u'), Char(u'b'), K(KeyF12)}, 20481, "", 1, 2, 0},
      {"Alt-P from the input line reaches the check box", "", {Alt('P'), K(KeyF12)}, 20481, "", 0, 0, 1},
      {"P from the check box goes back to the input line", "", {Alt('P'), Char(u'p'), Char(u'q'), K(KeyF12)}, 20481, "q",
       0, 0, 1},
      {"Space ticks and clears", "", {Alt('P'), K(KeySpace), K(KeySpace), K(KeyF12)}, 20481, "", 0, 0, 1},
      {"F3 writes back and answers the button", "", Type(u"a") + std::vector<Key>{K(KeyF3)}, 1000, "a", 0, 0, 0},
      {"an unknown letter does nothing", "", {K(KeyTab), Char(u'z'), K(KeyF12)}, 20481, "", 0, 0, 0},
      {"keys at the ends of the input line and keys that edit nothing", "ab",
       {K(KeyRight), K(KeyDelete), K(KeyHome), K(KeyLeft), K(KeyBackspace), K(KeyPageUp), Char(u'€'), Alt('1'),
        Alt('^'), K(KeyF12)},
       20481, "ab", 0, 0, 0},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    ResetHostSim();
    AskAtConsole(c.console, folder);
    c.Restart(t.keys);
    Record r = MakeRecord(t.path, 0, 0, 0);
    EXPECT_EQ(runDialog(OptionsDialogTemplate, 1, r.bytes, 0), t.command);
    EXPECT_EQ(c.next, t.keys.size());
    EXPECT_EQ(PathOf(r), t.pathAfter);
    EXPECT_EQ(At(r, 129), t.gross);
    EXPECT_EQ(At(r, 131), t.by);
    EXPECT_EQ(At(r, 133), t.copy);
  }
}

// A radio button run shows exactly its chosen one, wherever the focus goes.
TEST_F(ConsoleUi, RadioRunShowsItsChoice) {
  Record r = MakeRecord("", 0, 0, 0);
  c.keys = {Alt('I'), Alt('U'), K(KeyUp), K(KeySpace), K(KeyF12)};
  runDialog(OptionsDialogTemplate, 1, r.bytes, 0);
  ASSERT_EQ(c.screens.size(), 6u);
  const char16_t* expected[][3] = {
      {u"(*) Symbol", u"( ) Indeks", u"( ) Uwagi "},  // opened
      {u"( ) Symbol", u"(*) Indeks", u"( ) Uwagi "},  // Alt-I
      {u"( ) Symbol", u"( ) Indeks", u"(*) Uwagi "},  // Alt-U
      {u"( ) Symbol", u"( ) Indeks", u"(*) Uwagi "},  // Up: the focus only
      {u"( ) Symbol", u"(*) Indeks", u"( ) Uwagi "},  // Space
  };
  for (int shown = 0; shown < 5; ++shown)
    for (int row = 0; row < 3; ++row) {
      SCOPED_TRACE("screen " + std::to_string(shown) + " row " + std::to_string(row));
      EXPECT_EQ(ScreenRow(c.screens[shown], 11 + row, 19, 10), std::u16string(expected[shown][row]));
    }
  EXPECT_EQ(c.screens[3].attrs[12][19], 0x2F);  // Indeks has the focus after Up
  EXPECT_EQ(c.screens[3].attrs[13][19], 0x1F);
  EXPECT_EQ(At(r, 131), 1);
}

// A path of the full 128 characters: the field shows its end with the cursor after it,
// a character more is refused, and both ends can be edited.
TEST_F(ConsoleUi, EditsBothEndsOfAFullPath) {
  std::string full = "A" + std::string(126, 'm') + "Z";
  Record r = MakeRecord(full, 0, 0, 0);
  c.keys = {Char(u'x'), K(KeyHome), K(KeyDelete), Char(u'B'), Char(u'C'), K(KeyEnd), K(KeyBackspace), Char(u'Y'),
            K(KeyF12)};
  runDialog(OptionsDialogTemplate, 1, r.bytes, 0);
  ASSERT_EQ(c.screens.size(), 10u);
  struct Shown {
    int screen;
    std::u16string field;
    int cursorX;
  } shown[] = {
      {0, std::u16string(39, u'm') + u"Z ", 59},  // opened: the end, the cursor after it
      {1, std::u16string(39, u'm') + u"Z ", 59},  // 'x' refused: the line is full
      {2, u"A" + std::u16string(40, u'm'), 19},   // Home
      {4, u"B" + std::u16string(40, u'm'), 20},   // Delete, then B
      {5, u"B" + std::u16string(40, u'm'), 20},   // C refused
      {6, std::u16string(39, u'm') + u"Z ", 59},  // End
      {8, std::u16string(39, u'm') + u"Y ", 59},  // Backspace, then Y
  };
  for (const Shown& s : shown) {
    SCOPED_TRACE(s.screen);
    EXPECT_EQ(ScreenRow(c.screens[s.screen], 5, 19, 41), s.field);
    EXPECT_EQ(c.screens[s.screen].cursorX, s.cursorX);
  }
  EXPECT_EQ(PathOf(r), "B" + std::string(126, 'm') + "Y");
  EXPECT_EQ(r.bytes[127], 'Y');
  EXPECT_EQ(r.bytes[128], 0);
}

class ChooserUi : public ConsoleUi {
 protected:
  void SetUp() override {
    folder = (std::filesystem::temp_directory_path() / ("hostsim_chooser_" + std::to_string(counter++))).string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "/d.txt");
    ConsoleUi::SetUp();
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  void Files(std::initializer_list<const char*> names) {
    for (const char* n : names) std::ofstream(Utf8Path(folder + "/" + n)) << "x";
  }
  static inline int counter = 0;
};

TEST_F(ChooserUi, EmptyFolderShowsNoFilesAndEscGivesMinusOne) {
  char path[129] = "stary.txt";
  c.keys = {K(KeyEnter), K(KeyDown), K(KeyEscape)};
  EXPECT_EQ(chooseFile(ChooseFileKind, path, "C:\\*.*", ReservedArgument), -1);
  EXPECT_EQ(c.next, 3u);
  EXPECT_STREQ(path, "stary.txt");
  ASSERT_FALSE(c.screens.empty());
  std::u16string top = ScreenRow(c.screens.back(), 2, 20, 40);
  const std::u16string sep(1, std::filesystem::path::preferred_separator);  // the frame names it as the system does
  EXPECT_NE(top.find(std::filesystem::path(folder).filename().u16string() + sep + u"*.* "), std::u16string::npos) << "frame: "
      << std::filesystem::path(top).string();  // the folder listed, not the mask's C:
  EXPECT_EQ(ScreenRow(c.screens.back(), 3, 20, 17), u"║ (brak plików)  ");
  EXPECT_EQ(ScreenRow(c.screens.back(), 22, 20, 40), u"╚════ Enter wybiera   Esc wyjście ═════╝");
}

TEST_F(ChooserUi, AFolderTooLongForTheFrameShowsItsEnd) {
  std::string deep = folder + "/" + std::string(30, 'k') + "/magazyn";
  std::filesystem::create_directories(deep);
  AskAtConsole(c.console, deep);
  char path[129] = {};
  c.keys = {K(KeyEscape)};
  EXPECT_EQ(chooseFile(57, path, "C:\\*.TXT", 0), -1);
  ASSERT_FALSE(c.screens.empty());
  const std::u16string sep(1, std::filesystem::path::preferred_separator);
  EXPECT_EQ(ScreenRow(c.screens.back(), 2, 20, 40), u"╔ …kkkkkkkkkkkkkkkkkkkkk" + sep + u"magazyn" + sep + u"*.TXT ╗");
}

TEST_F(ChooserUi, ArrowsAndEnterPickAFile) {
  Files({"b.txt", "A.TXT", "c.csv"});
  struct Case {
    const char* what;
    std::vector<Key> keys;
    const char* picked;
  } cases[] = {
      {"Enter picks the first", {K(KeyEnter)}, "A.TXT"},
      {"Down", {K(KeyDown), K(KeyEnter)}, "b.txt"},
      {"Down stops at the last", {K(KeyDown), K(KeyDown), K(KeyDown), K(KeyDown), K(KeyEnter)}, "c.csv"},
      {"End, Up", {K(KeyEnd), K(KeyUp), K(KeyEnter)}, "b.txt"},
      {"PgDn, Home", {K(KeyPageDown), K(KeyHome), K(KeyEnter)}, "A.TXT"},
      {"PgDn to the last, PgUp", {K(KeyPageDown), K(KeyEnter)}, "c.csv"},
      {"Up stops at the first", {K(KeyUp), K(KeyPageUp), K(KeyEnter)}, "A.TXT"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    c.Restart(t.keys);
    char path[129] = {};
    EXPECT_EQ(chooseFile(ChooseFileKind, path, "C:\\*.*", 0), ReservedArgument);
    EXPECT_STREQ(path, t.picked);
  }
  EXPECT_EQ(ScreenRow(c.screens.front(), 3, 21, 8), u" A.TXT  ");
  EXPECT_EQ(ScreenRow(c.screens.front(), 4, 21, 8), u" b.txt  ");
  EXPECT_EQ(ScreenRow(c.screens.front(), 5, 21, 8), u" c.csv  ");
  EXPECT_EQ(ScreenRow(c.screens.front(), 6, 21, 8), u"        ");  // the folder d.txt is no file
  EXPECT_EQ(c.screens.front().attrs[3][21], 0x2F);
  EXPECT_EQ(c.screens.front().attrs[4][21], 0x1F);
}

// A name with a character Mazovia lacks: listed as it is, in grey; Enter does not pick
// it, and with the focus on it the line below the list says why.
TEST_F(ChooserUi, ANameMazoviaCannotWriteIsShownButCannotBeChosen) {
  Files({"cennik żółty.txt", "cennik €.txt", "d€.csv"});
  c.keys = {K(KeyEnter), K(KeyDown), K(KeyDown), K(KeyEnter), K(KeyUp), K(KeyEnter)};
  char path[129] = {};
  EXPECT_EQ(chooseFile(57, path, "C:\\*.*", 0), 0);
  EXPECT_EQ(c.next, 6u);
  EXPECT_STREQ(path, Mz("cennik żółty.txt"));
  ASSERT_EQ(c.screens.size(), 6u);
  const Screen& first = c.screens[0];  // sorted by the Mazovia names, "cennik ?.txt" first
  EXPECT_EQ(ScreenRow(first, 3, 22, 12), u"cennik €.txt");
  EXPECT_EQ(ScreenRow(first, 4, 22, 16), u"cennik żółty.txt");
  EXPECT_EQ(ScreenRow(first, 5, 22, 6), u"d€.csv");
  EXPECT_EQ(first.attrs[3][22], 0x2F);  // the focus
  EXPECT_EQ(first.attrs[4][22], 0x1F);
  EXPECT_EQ(first.attrs[5][22], 0x17);  // grey: cannot be chosen
  const std::u16string why = u"       Nazwa ma znaki spoza strony kodowej Mazovia: nie można jej wybrać.       ";
  EXPECT_EQ(ScreenRow(first, 23), why);
  EXPECT_EQ(first.attrs[23][7], 0x0E);
  EXPECT_EQ(c.screens[1].attrs[3][22], 0x2F);  // Enter picked nothing
  EXPECT_EQ(ScreenRow(c.screens[2], 23), std::u16string(80, u' '));  // the focus on cennik żółty.txt
  EXPECT_EQ(ScreenRow(c.screens[4], 23), why);  // Enter on d€.csv picked nothing either
  EXPECT_EQ(c.screens[4].attrs[5][22], 0x2F);
}

// 25 files: 19 rows at a time, the list scrolled to keep the choice shown; a name
// wider than the list is cut to its 36 columns.
TEST_F(ChooserUi, ALongListScrollsAndCutsLongNames) {
  for (int n = 0; n < 24; ++n) std::ofstream(folder + "/f" + std::to_string(10 + n) + ".txt") << "x";
  const std::string longName = std::string(40, 'z') + ".txt";
  Files({longName.c_str()});
  char path[129] = {};
  c.keys = {K(KeyTab), K(KeyEnd), K(KeyEnter)};
  EXPECT_EQ(chooseFile(57, path, "C:\\*.*", 0), 0);
  EXPECT_EQ(path, longName);
  EXPECT_EQ(ScreenRow(c.screens.back(), 3, 22, 7), u"f16.txt");  // the top of the list
  EXPECT_EQ(ScreenRow(c.screens.back(), 21, 22, 37), std::u16string(36, u'z') + u" ");
  c.Restart({K(KeyEnd), K(KeyHome), K(KeyEnter)});
  EXPECT_EQ(chooseFile(57, path, "C:\\*.*", 0), 0);
  EXPECT_STREQ(path, "f10.txt");
  EXPECT_EQ(ScreenRow(c.screens.back(), 3, 22, 7), u"f10.txt");
}

TEST(FileMask, MatchesAsDosDoes) {
  struct Case {
    const char* mask;
    const char* name;
    bool matches;
  } cases[] = {
      {"C:\\*.*", "towary.txt", true}, {"C:\\*.*", "noext", true},    {"*.TXT", "towary.txt", true},
      {"t?wary.*", "towary.txt", true}, {"*.csv", "towary.txt", false}, {"a*", "b", false},
      {"C:\\dane\\*.txt", "x.txt", true}, {"x?", "x", false},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(std::string(t.mask) + " " + t.name);
    EXPECT_EQ(MaskMatches(t.mask, t.name), t.matches);
  }
}

TEST_F(ChooserUi, WarehouseIsANumberEntry) {
  Files({"MMM1.MGR", "MMM3.MGR", "MMM42.MGR", "MMM72.MGR"});
  const std::vector<Key> enter = {K(KeyEnter)};
  struct Case {
    const char* what;
    std::vector<Key> keys;
    int chosen;
    std::size_t screens;  // shown, the question before a warehouse without goods included
  } cases[] = {
      {"Enter keeps the one offered", enter, 3, 1},
      {"digits replace it", Type(u"72") + enter, 72, 3},
      {"a minus sign first, then asked and confirmed", Type(u"-5") + enter + enter, -5, 4},
      {"a minus sign later is no digit", Type(u"4-2") + enter, 42, 4},
      {"Backspace to empty gives the one offered", {K(KeyBackspace), K(KeyEnter)}, 3, 2},
      {"Backspace on an empty entry takes nothing more", {K(KeyBackspace), K(KeyBackspace), Char(u'1'), K(KeyEnter)}, 1, 4},
      {"a minus sign alone gives the one offered", Type(u"-") + enter, 3, 2},
      {"a minus sign and five digits at most", Type(u"-123456") + enter + enter, -12345, 9},
      {"letters are refused", Type(u"1a") + enter, 1, 3},
      {"Esc keeps the one offered, never -1", Type(u"9") + std::vector<Key>{K(KeyEscape)}, 3, 2},
      {"a warehouse without goods confirmed", Type(u"5") + enter + enter, 5, 3},
      {"other keys at the question do nothing", Type(u"5") + enter + std::vector<Key>{K(KeyDown), Char(u'x')} + enter, 5, 5},
      {"Esc at the question goes back to the entry", Type(u"5") + enter + std::vector<Key>{K(KeyEscape)} +
                                                          std::vector<Key>{K(KeyBackspace)} + Type(u"1") + enter,
       1, 6},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    c.Restart(t.keys);
    EXPECT_EQ(selectWarehouse(3, SelectWarehouseKind, ReservedArgument), t.chosen);
    EXPECT_EQ(c.next, t.keys.size());
    EXPECT_EQ(c.screens.size(), t.screens);
  }
}

TEST_F(ChooserUi, WarehouseOfferedHasAGoodsFile) {
  struct Case {
    const char* what;
    std::vector<const char*> files;
    int given;
    const char16_t* field;  // the entry's first row as offered
    const char16_t* keys;   // its bottom frame
  } cases[] = {
      {"the one given has goods", {"MMM2.MGR", "MMM7.MGR"}, 7, u"║ Numer magazynu: 7                    ║",
       u"╚═══ Enter wybiera   Esc zostawia 7 ═══╝"},
      {"the first run's 0: the first with goods", {"MMM2.MGR", "MMM7.MGR"}, 0,
       u"║ Numer magazynu: 2                    ║", u"╚═══ Enter wybiera   Esc zostawia 2 ═══╝"},
      {"a negative one: the first with goods", {"MMM7.MGR"}, -1, u"║ Numer magazynu: 7                    ║",
       u"╚═══ Enter wybiera   Esc zostawia 7 ═══╝"},
      {"no warehouse has goods: the one given", {}, 4, u"║ Numer magazynu: 4                    ║",
       u"╚═══ Enter wybiera   Esc zostawia 4 ═══╝"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    SetUp();
    for (const char* f : t.files) Files({f});
    c.Restart({K(KeyEscape)});
    selectWarehouse(t.given, SelectWarehouseKind, ReservedArgument);
    ASSERT_EQ(c.screens.size(), 1u);
    EXPECT_EQ(ScreenRow(c.screens.front(), 10, 20, 40), t.field);
    EXPECT_EQ(ScreenRow(c.screens.front(), 16, 20, 40), t.keys);
    TearDown();
  }
}

TEST_F(ChooserUi, AWarehouseWithoutGoodsIsConfirmedOnScreen) {
  Files({"MMM1.MGR"});
  c.keys = Type(u"12") + std::vector<Key>{K(KeyEnter), K(KeyEnter)};
  EXPECT_EQ(selectWarehouse(1, SelectWarehouseKind, ReservedArgument), 12);
  ASSERT_EQ(c.screens.size(), 4u);
  const Screen& s = c.screens.back();
  EXPECT_EQ(ScreenRow(s, 10, 15, 50), u"║ Magazyn 12 nie ma pliku towarów (MMM12.MGR).   ║");
  EXPECT_EQ(ScreenRow(s, 11, 15, 50), u"║ Przecena nie zmieni w nim niczego.             ║");
  EXPECT_EQ(ScreenRow(s, 12, 15, 50), u"║ Przecenić mimo to?                             ║");
  EXPECT_EQ(ScreenRow(s, 14, 15, 50), u"╚════════════ Enter tak   Esc wraca ═════════════╝");
}

TEST_F(ChooserUi, WarehouseEntryListsTheWarehousesWithGoodsFiles) {
  Files({"MMM1.MGR", "mmm2.mgr", "MMM10.MGR", "MMM01.MGR", "MMM07.MGR", "MMMX.MGR", "MMM.MGR", "MMM3.MGR.bak", "MAG4.MGR",
         "MMM1234567890.MGR"});
  std::filesystem::create_directories(folder + "/MMM5.MGR");  // a folder, no goods file
  c.keys = {K(KeyEnter)};
  EXPECT_EQ(selectWarehouse(10, SelectWarehouseKind, ReservedArgument), 10);
  ASSERT_EQ(c.screens.size(), 1u);
  const Screen& s = c.screens.front();
  EXPECT_EQ(ScreenRow(s, 10, 20, 40), u"║ Numer magazynu: 10                   ║");
  EXPECT_EQ(ScreenRow(s, 12, 20, 40), u"║ Magazyny z plikiem towarów:          ║");
  EXPECT_EQ(ScreenRow(s, 13, 20, 40), u"║ 1, 2, 10                             ║");
  EXPECT_EQ(s.cursorX, 40);
  EXPECT_EQ(s.cursorY, 10);
}

TEST_F(ChooserUi, WarehouseEntrySaysWhenNoWarehouseHasGoods) {
  Files({"towary.txt"});
  c.keys = {K(KeyEscape)};
  EXPECT_EQ(selectWarehouse(1, SelectWarehouseKind, ReservedArgument), 1);
  ASSERT_EQ(c.screens.size(), 1u);
  EXPECT_EQ(ScreenRow(c.screens.front(), 12, 20, 40), u"║ Żaden magazyn nie ma pliku towarów.  ║");
  EXPECT_EQ(ScreenRow(c.screens.front(), 13, 20, 40), u"║                                      ║");
}

TEST_F(ChooserUi, ManyWarehousesFillThreeRowsAndEndWithDots) {
  for (int n = 100; n < 160; ++n) std::ofstream(folder + "/MMM" + std::to_string(n) + ".MGR") << "x";
  c.keys = {K(KeyEnter)};
  selectWarehouse(100, SelectWarehouseKind, ReservedArgument);
  ASSERT_EQ(c.screens.size(), 1u);
  const Screen& s = c.screens.front();
  EXPECT_EQ(ScreenRow(s, 13, 20, 40), u"║ 100, 101, 102, 103, 104, 105, 106,   ║");
  EXPECT_EQ(ScreenRow(s, 14, 20, 40), u"║ 107, 108, 109, 110, 111, 112, 113,   ║");
  EXPECT_EQ(ScreenRow(s, 15, 20, 40), u"║ 114, 115, 116, 117, 118, 119, ...    ║");
  EXPECT_EQ(ScreenRow(s, 16, 20, 40), u"╚══ Enter wybiera   Esc zostawia 100 ══╝");
}

std::vector<std::string> failures;
void NoteFailure(const std::string& message) { failures.push_back(message); }

TEST(BatchRun, AQuestionWithoutAnswerNamesItsKey) {
  ResetHostSim();
  failures.clear();
  FailUnanswered(NoteFailure);
  Record r = MakeRecord("stary.txt", 0, 0, 0);
  EXPECT_EQ(runDialog(OptionsDialogTemplate, 1, r.bytes, 0), 20482);
  char path[129] = "p";
  EXPECT_EQ(chooseFile(ChooseFileKind, path, "C:\\*.*", ReservedArgument), -1);
  EXPECT_EQ(selectWarehouse(3, SelectWarehouseKind, ReservedArgument), -1);
  std::vector<std::string> expected = {
      "no answer for the options dialog (answers key \"dialog\")",
      "no answer for the file chooser (answers key \"choose_file\")",
      "no answer for the warehouse choice (answers key \"warehouse\")",
  };
  EXPECT_EQ(failures, expected);
  EXPECT_EQ(PathOf(r), "stary.txt");
}

TEST(BatchRun, ScriptedAnswersStillAnswer) {
  ResetHostSim();
  failures.clear();
  FailUnanswered(NoteFailure);
  dialogs.script.push_back("type a.txt; F12");
  dialogs.warehouseScript.push_back(2);
  Record r = MakeRecord("", 0, 0, 0);
  EXPECT_EQ(runDialog(OptionsDialogTemplate, 1, r.bytes, 0), 20481);
  EXPECT_EQ(selectWarehouse(3, SelectWarehouseKind, ReservedArgument), 2);
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(PathOf(r), "a.txt");
}

}  // namespace

namespace {

using namespace hostsim;

const std::vector<std::string> MenuTitles = {"Przecena w magazynac~h~ (Velmora)", "~D~ruga komenda",
                                             "Trzecia bez klawisza"};

TEST_F(ConsoleUi, MenuInneIsChosenWithArrowsEnterOrAHotKey) {
  struct Case {
    const char* what;
    std::vector<Key> keys;
    int chosen;
  } cases[] = {
      {"Enter at the first", {K(KeyEnter)}, 0},
      {"Down twice", {K(KeyDown), K(KeyDown), K(KeyEnter)}, 2},
      {"Up from the first wraps to the last", {K(KeyUp), K(KeyEnter)}, 2},
      {"Down then Up", {K(KeyDown), K(KeyUp), K(KeyEnter)}, 0},
      {"Down from the last wraps to the first", {K(KeyEnd), K(KeyDown), K(KeyEnter)}, 0},
      {"End then Home", {K(KeyEnd), K(KeyHome), K(KeyEnter)}, 0},
      {"hot key h", Type(u"h"), 0},
      {"hot key D in capitals", Type(u"D"), 1},
      {"a letter of no command does nothing", Type(u"x") + std::vector<Key>{K(KeyDown), K(KeyEnter)}, 1},
      {"Esc", {K(KeyDown), K(KeyEscape)}, -1},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    c.Restart(t.keys);
    EXPECT_EQ(consoleShows.menu(MenuTitles), t.chosen);
    EXPECT_EQ(c.next, t.keys.size());
  }
  // A tilde at the end or a pair around more than one character makes no hot key; a
  // mark can be one; a blank or a Polish letter typed chooses nothing.
  c.Restart(Type(u"a ł{"));
  EXPECT_EQ(consoleShows.menu({"x~", "~ab c", "~{~ klamra"}), 2);
  EXPECT_EQ(c.next, 4u);
}

TEST_F(ConsoleUi, MenuInneIsDrawnUnderItsNameWithTheFocusAndHotKeys) {
  c.keys = {K(KeyDown), K(KeyEscape)};
  consoleShows.menu(MenuTitles);
  ASSERT_EQ(c.screens.size(), 2u);
  const Screen& s = c.screens.back();  // the focus on the second command
  EXPECT_EQ(ScreenRow(s, 0, 0, 10), u"   Inne   ");
  EXPECT_EQ(s.attrs[0][3], AttrFocus);
  EXPECT_EQ(s.attrs[0][9], AttrButton);
  EXPECT_EQ(ScreenRow(s, 1, 1, 36), u"╔═════════════════════════════════╗ ");
  EXPECT_EQ(ScreenRow(s, 2, 1, 36), u"║ Przecena w magazynach (Velmora) ║ ");
  EXPECT_EQ(ScreenRow(s, 3, 1, 36), u"║ Druga komenda                   ║ ");
  EXPECT_EQ(ScreenRow(s, 4, 1, 36), u"║ Trzecia bez klawisza            ║ ");
  EXPECT_EQ(ScreenRow(s, 5, 1, 36), u"╚═════════════════════════════════╝ ");
  EXPECT_EQ(s.attrs[2][3], AttrWindow);
  EXPECT_EQ(s.attrs[2][23], AttrHotKey);  // the h of "magazynach"
  EXPECT_EQ(s.attrs[3][3], AttrFocusHotKey);  // D, the focused command's hot key
  EXPECT_EQ(s.attrs[3][4], AttrFocus);
  EXPECT_EQ(ScreenRow(s, 24, 0, 28), u" Enter wybiera   Esc wyjście");
}

TEST_F(ConsoleUi, AnEmptyMenuInneIsOnlyLeft) {
  c.keys = {K(KeyEnter), Char(u'h'), K(KeyEscape)};
  EXPECT_EQ(consoleShows.menu({}), -1);
  EXPECT_EQ(c.next, 3u);
  EXPECT_EQ(ScreenRow(c.screens.back(), 2, 1, 24), u"║ (pusto)              ║");
}

TEST(BatchRun, NoMenuIsAskedWithoutAConsole) {
  ResetHostSim();
  FailUnanswered(NoteFailure);
  EXPECT_FALSE(consoleShows.menu);
}

}  // namespace
