// The dialog description host service 52026 reads, as far as the plug-in writes it
// and the host reads it: an 8-byte header (a 32-bit count of the bytes after it, the
// bytes from the window record on, the number of control records), then the window
// record and the control records. A record is eight little-endian 16-bit numbers
// (kind, command, flags, hot key, x, y, width, height), 4 zero bytes, its text (host
// bytes, zero-terminated) and the bytes its kind carries after the text.
#pragma once

// CmdCancel as a plain number, for the assembler too (frame/binding/fallback_results.h).
#define HOST_CMD_CANCEL 20482

#ifndef __ASSEMBLER__
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t DialogHeaderSize = 8;
inline constexpr std::size_t DialogRecordHeadSize = 20;  // eight 16-bit numbers and 4 zero bytes

// Record kinds.
enum DialogRecordKind : uint16_t {
  DialogButton = 0,
  DialogRadioButton = 1,     // a run of them shares one int16 of the data record
  DialogCheckBox = 2,        // an int16 of the data record: 1 ticked, 0 clear
  DialogStaticText = 3,
  DialogInputLine = 5,       // a text of the data record
  DialogWindow = 0xFFFF,     // the first record: the window and its title
};

// Command of every record that is no button.
inline constexpr uint16_t DialogNoCommand = 0xFFFF;

// Flags.
inline constexpr uint16_t DialogFlagData = 0x0400;    // the control carries a value of the data record
inline constexpr uint16_t DialogFlagSpacer = 0x0800;  // the empty text record

// Hot keys of buttons, as the host's keyboard codes.
inline constexpr uint16_t DialogKeyF12 = 0x5500;
inline constexpr uint16_t DialogKeyF3 = 0x3D00;

// After its text, a static text with a hot key carries 4 bytes (its link to the input
// line below it); an input line carries 18, its maximum length as a 16-bit number at
// offsets 7 and 13 of them.
inline constexpr std::size_t DialogLabelTailSize = 4;
inline constexpr std::size_t DialogInputTailSize = 18;
inline constexpr std::size_t DialogInputLengthAt = 7, DialogInputLengthCopyAt = 13;

// Commands of host service 52026: OK, given to a dialog's F12 button, and the one it
// returns for a dialog left without a button.
inline constexpr int16_t CmdOk = 20481;
inline constexpr int16_t CmdCancel = HOST_CMD_CANCEL;
#endif
