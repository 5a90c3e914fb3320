// The options dialog's description for host service 52026, built at compile time from
// the readable table of records below.
#include <array>
#include <cstddef>
#include <cstdint>

#include "host/dialog.h"
#include "host/mazovia.h"
#include "reprice/options.h"

namespace {

// Short names of host/dialog.h's kinds, flags and keys for the table below.
constexpr uint16_t KindButton = DialogButton, KindRadioButton = DialogRadioButton, KindCheckBox = DialogCheckBox,
                   KindStaticText = DialogStaticText, KindInputLine = DialogInputLine, KindWindow = DialogWindow;
constexpr uint16_t NoCommand = DialogNoCommand, FlagsData = DialogFlagData, FlagsSpacer = DialogFlagSpacer;
constexpr uint16_t KeyF12 = DialogKeyF12, KeyF3 = DialogKeyF3;
constexpr uint16_t CommandOk = static_cast<uint16_t>(CmdOk);
constexpr uint16_t CommandChangeFile = static_cast<uint16_t>(CmdChangeFile);

struct DialogRecord {
  uint16_t kind, command, flags, key, x, y, width, height;
  const char* text;            // Mazovia, zero-terminated
  const unsigned char* after;  // bytes that follow the text's terminator
  std::size_t afterSize;
};

// After the label: the host's link to the input line below it.
constexpr unsigned char LabelTail[] = {0x05, 0x00, 0x26, 0x00};
static_assert(sizeof LabelTail == DialogLabelTailSize);
// After the input line: its maximum length, 128, is held twice.
constexpr unsigned char InputLineTail[] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00,
                                           0x08, 0x00, 0x00, 0x00, 0x80, 0x00, 0x01, 0x00, 0x00};
static_assert(sizeof InputLineTail == DialogInputTailSize);
static_assert(InputLineTail[DialogInputLengthAt] == 0x80 && InputLineTail[DialogInputLengthAt + 1] == 0 &&
              InputLineTail[DialogInputLengthCopyAt] == 0x80 && InputLineTail[DialogInputLengthCopyAt + 1] == 0);

// kind, command, flags, key, x, y, w, h, text, bytes after the text
constexpr DialogRecord Records[] = {
    {KindWindow, 1, 0, 0, 0, 0, 45, 20, Mz("Wprowadź"), nullptr, 0},
    {KindStaticText, NoCommand, 0, 'P', 2, 2, 23, 1, Mz("~P~lik przeceny:"), LabelTail, sizeof LabelTail},
    {KindInputLine, NoCommand, FlagsData, 0, 2, 3, 41, 1, "", InputLineTail, sizeof InputLineTail},
    {KindStaticText, NoCommand, FlagsSpacer, 0, 2, 5, 10, 1, "", nullptr, 0},
    {KindRadioButton, NoCommand, FlagsData, 'N', 2, 5, 41, 1, Mz("Ceny z pliku traktować jako ~n~etto"), nullptr, 0},
    {KindRadioButton, NoCommand, FlagsData, 'B', 2, 6, 41, 1, Mz("Ceny z pliku traktować jako ~b~rutto"), nullptr, 0},
    {KindStaticText, NoCommand, 0, 0, 2, 8, 41, 1, Mz("Identyfikacja poprzez:"), nullptr, 0},
    {KindRadioButton, NoCommand, FlagsData, 'S', 2, 9, 41, 1, Mz("~S~ymbol"), nullptr, 0},
    {KindRadioButton, NoCommand, FlagsData, 'I', 2, 10, 41, 1, Mz("~I~ndeks"), nullptr, 0},
    {KindRadioButton, NoCommand, FlagsData, 'U', 2, 11, 41, 1, Mz("~U~wagi"), nullptr, 0},
    {KindStaticText, NoCommand, 0, 0, 2, 13, 41, 1, Mz("Opcje:"), nullptr, 0},
    {KindCheckBox, NoCommand, FlagsData, 'P', 2, 14, 41, 1, Mz("~P~rzepisz informacje o nazwie towaru"), nullptr, 0},
    {KindButton, CommandOk, 0, KeyF12, 8, 16, 10, 1, Mz("\x05" "F12\x01 OK"), nullptr, 0},
    {KindButton, CommandChangeFile, 0, KeyF3, 22, 16, 15, 1, Mz("\x05" "F3\x01 Zmień plik"), nullptr, 0},
};
constexpr std::size_t RecordCount = sizeof Records / sizeof Records[0];
constexpr std::size_t HeaderSize = DialogHeaderSize;
constexpr std::size_t RecordHeadSize = DialogRecordHeadSize;

// Bytes of a zero-terminated text, the terminator included.
consteval std::size_t TextSize(const char* text) {
  std::size_t n = 0;
  while (text[n]) ++n;
  return n + 1;
}

// Bytes of the whole description: the header and every record of Records.
consteval std::size_t DialogSize() {
  std::size_t size = HeaderSize;
  for (const DialogRecord& r : Records) size += RecordHeadSize + TextSize(r.text) + r.afterSize;
  return size;
}
constexpr std::size_t TemplateSize = DialogSize();
static_assert(TemplateSize == sizeof OptionsDialogTemplate);

// The description's bytes: the header's counts, then per record its eight 16-bit
// numbers (little-endian), 4 zero bytes, its text with the terminator and its tail.
consteval std::array<unsigned char, TemplateSize> BuildDialog() {
  std::array<unsigned char, TemplateSize> out{};
  std::size_t at = 0;
  auto put16 = [&](std::size_t value) {
    out[at++] = static_cast<unsigned char>(value);
    out[at++] = static_cast<unsigned char>(value >> 8);
  };
  put16(TemplateSize - 4);  // bytes after this 32-bit count
  put16(0);
  put16(TemplateSize - HeaderSize);  // bytes from the window record on
  put16(RecordCount - 1);            // control records
  for (const DialogRecord& r : Records) {
    for (uint16_t v : {r.kind, r.command, r.flags, r.key, r.x, r.y, r.width, r.height}) put16(v);
    at += 4;
    for (const char* t = r.text; *t; ++t) out[at++] = static_cast<unsigned char>(*t);
    out[at++] = 0;
    for (std::size_t i = 0; i < r.afterSize; ++i) out[at++] = r.after[i];
  }
  return out;
}
constexpr std::array<unsigned char, TemplateSize> Built = BuildDialog();
static_assert(Built[0] == 0x0E && Built[1] == 0x02 && Built[4] == 0x0A && Built[5] == 0x02 && Built[6] == 13);

}  // namespace

// A C array cannot be initialised from a std::array, so the bytes are listed by macro:
// DIALOG_BYTES_10(i) expands to Built[i], ..., Built[i + 9], and so on.
#define DIALOG_BYTE(i) Built[i],
#define DIALOG_BYTES_10(i)                                                                   \
  DIALOG_BYTE(i) DIALOG_BYTE(i + 1) DIALOG_BYTE(i + 2) DIALOG_BYTE(i + 3) DIALOG_BYTE(i + 4) \
  DIALOG_BYTE(i + 5) DIALOG_BYTE(i + 6) DIALOG_BYTE(i + 7) DIALOG_BYTE(i + 8) DIALOG_BYTE(i + 9)
#define DIALOG_BYTES_100(i)                                                                          \
  DIALOG_BYTES_10(i) DIALOG_BYTES_10(i + 10) DIALOG_BYTES_10(i + 20) DIALOG_BYTES_10(i + 30)         \
  DIALOG_BYTES_10(i + 40) DIALOG_BYTES_10(i + 50) DIALOG_BYTES_10(i + 60) DIALOG_BYTES_10(i + 70)    \
  DIALOG_BYTES_10(i + 80) DIALOG_BYTES_10(i + 90)

const unsigned char OptionsDialogTemplate[530] = {
    DIALOG_BYTES_100(0) DIALOG_BYTES_100(100) DIALOG_BYTES_100(200) DIALOG_BYTES_100(300)
    DIALOG_BYTES_100(400) DIALOG_BYTES_10(500) DIALOG_BYTES_10(510) DIALOG_BYTES_10(520)};
