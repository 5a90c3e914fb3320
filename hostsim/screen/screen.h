// The console screen that the stand-in's questions draw on: 80 x 25 cells, each a
// character and a colour attribute, and the cursor. Portable; a console backend copies
// it to the real console, tests read the cells back.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace hostsim {

inline constexpr int ScreenWidth = 80;
inline constexpr int ScreenHeight = 25;

// Colour attributes, in the console's bits (background in the high four).
enum ScreenAttribute : uint16_t {
  AttrScreen = 0x07,     // the screen behind the windows: light grey on black
  AttrWindow = 0x1F,     // a window and its texts: white on blue
  AttrHotKey = 0x1E,     // a hot key in a window: yellow on blue
  AttrField = 0x30,      // an input line, a list: black on cyan
  AttrUnwritable = 0x17,  // a list entry that cannot be chosen: light grey on blue
  AttrNote = 0x0E,       // a note on the screen behind the windows: yellow on black
  AttrFocus = 0x2F,      // the control that has the focus: white on green
  AttrFocusHotKey = 0x2E,  // a hot key in the focused control: yellow on green
  AttrButton = 0x70,     // a button: black on light grey
  AttrButtonKey = 0x74,  // a button's key name: red on light grey
};

struct Screen {
  char16_t chars[ScreenHeight][ScreenWidth];
  uint16_t attrs[ScreenHeight][ScreenWidth];
  int cursorX, cursorY;  // where the cursor stands
  bool cursorShown;      // false: the cursor is hidden
};

// Fills every cell with a blank of attr and hides the cursor.
void ClearScreen(Screen& s, uint16_t attr);

// Writes text from (x, y) on one row in attr; whatever falls outside the screen is
// dropped. Returns the column after the last character written or dropped.
int PutText(Screen& s, int x, int y, std::u16string_view text, uint16_t attr);

// Fills the rectangle (x, y, width, height) with blanks of attr, clipped to the screen.
void FillArea(Screen& s, int x, int y, int width, int height, uint16_t attr);

// A framed window (double line) filled with blanks of attr, its title centred in the
// top line between blanks; an empty title leaves the line plain.
void DrawWindow(Screen& s, int x, int y, int width, int height, std::u16string_view title, uint16_t attr);

// Where a text stands in a frame's line.
enum FrameAlign { FrameLeft, FrameCentre, FrameRight };

// Puts text between blanks into the frame line of a window at (x, y) width cells wide:
// at its left or right (two cells in from the corner) or centred; cut to fit.
void PutFrameText(Screen& s, int x, int y, int width, std::u16string_view text, FrameAlign align, uint16_t attr);

// A Mazovia text as the screen shows it, one character per byte.
std::u16string ScreenText(std::string_view mazovia);

// The characters of row y from column x, count of them (fewer at the edge).
std::u16string ScreenRow(const Screen& s, int y, int x = 0, int count = ScreenWidth);

}  // namespace hostsim
