// Reading a dialog description as the host's dialog service does (52026).
#include "hostsim/screen/dialog_description.h"

#include <cstring>

namespace hostsim {

namespace {

constexpr uint32_t LargestDescription = 65536;
constexpr int16_t ValueSize = 2;  // a radio group's or a check box's int16

uint16_t Get16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Get32(const unsigned char* p) { return Get16(p) | uint32_t{Get16(p + 2)} << 16; }

// Bytes a record of this kind carries after its text's terminator.
std::size_t TailSize(const DialogRecord& r) {
  if (r.kind == DialogInputLine) return DialogInputTailSize;
  if (r.kind == DialogStaticText && r.key != 0) return DialogLabelTailSize;
  return 0;
}


// Whether controls of this kind keep a value in the data record.
bool HasData(uint16_t kind) {
  return kind == DialogInputLine || kind == DialogRadioButton || kind == DialogCheckBox;
}


// One record at p within [p, end); false with error when it runs past end.
bool ReadRecord(const unsigned char*& p, const unsigned char* end, DialogRecord& r, std::string& error) {
  if (end - p < static_cast<std::ptrdiff_t>(DialogRecordHeadSize)) return error = "record head past the end", false;
  uint16_t* fields[] = {&r.kind, &r.command, &r.flags, &r.key, &r.x, &r.y, &r.width, &r.height};
  for (int i = 0; i < 8; ++i) *fields[i] = Get16(p + 2 * i);
  if (Get32(p + 16) != 0) return error = "nonzero bytes after a record's numbers", false;
  p += DialogRecordHeadSize;
  const unsigned char* nul = static_cast<const unsigned char*>(std::memchr(p, 0, end - p));
  if (!nul) return error = "text without terminator", false;
  r.text.assign(reinterpret_cast<const char*>(p), nul - p);
  p = nul + 1;
  std::size_t tail = TailSize(r);
  if (static_cast<std::size_t>(end - p) < tail) return error = "record tail past the end", false;
  r.after.assign(reinterpret_cast<const char*>(p), tail);
  p += tail;
  r.dataOffset = -1;
  return true;
}

// Whether a control record is sound: a known kind, a command only on a button, the data
// flag only on controls with a value, an input line's two lengths equal and not 0.
bool CheckControl(const DialogRecord& r, std::string& error) {
  bool known = r.kind == DialogButton || r.kind == DialogRadioButton || r.kind == DialogCheckBox ||
               r.kind == DialogStaticText || r.kind == DialogInputLine;
  if (!known) return error = "unknown control kind " + std::to_string(r.kind), false;
  if ((r.kind == DialogButton) == (r.command == DialogNoCommand)) return error = "command does not fit the kind", false;
  if (HasData(r.kind) != ((r.flags & DialogFlagData) != 0)) return error = "data flag does not fit the kind", false;
  if (r.kind == DialogInputLine) {
    auto tail = reinterpret_cast<const unsigned char*>(r.after.data());
    if (Get16(tail + DialogInputLengthAt) != Get16(tail + DialogInputLengthCopyAt) || Get16(tail + DialogInputLengthAt) == 0)
      return error = "input line lengths disagree", false;
  }
  return true;
}

// Data offsets: an input line takes its length and a terminator, each run of radio
// buttons one int16, each check box one int16.
void LayOutData(DialogDescription& d) {
  int at = 0;
  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    DialogRecord& r = d.controls[i];
    if (r.kind == DialogInputLine) {
      r.dataOffset = at;
      at += InputLength(r) + 1;
    } else if (r.kind == DialogRadioButton) {
      bool continues = !StartsRadioRun(d, i);
      r.dataOffset = continues ? d.controls[i - 1].dataOffset : at;
      if (!continues) at += ValueSize;
    } else if (r.kind == DialogCheckBox) {
      r.dataOffset = at;
      at += ValueSize;
    }
  }
  d.dataSize = at;
}

}  // namespace

int InputLength(const DialogRecord& r) {
  return Get16(reinterpret_cast<const unsigned char*>(r.after.data()) + DialogInputLengthAt);
}

bool StartsRadioRun(const DialogDescription& d, std::size_t i) {
  return d.controls[i].kind == DialogRadioButton && !(i > 0 && d.controls[i - 1].kind == DialogRadioButton);
}

bool ReadDialogDescription(const void* description, DialogDescription& out, std::string& error) {
  const unsigned char* base = static_cast<const unsigned char*>(description);
  out = {};
  out.bytesAfterCount = Get32(base);
  out.windowBytes = Get16(base + 4);
  out.controlCount = Get16(base + 6);
  if (out.bytesAfterCount > LargestDescription) return error = "implausible size", false;
  if (out.bytesAfterCount != out.windowBytes + 4u) return error = "header sizes disagree", false;
  const unsigned char* p = base + DialogHeaderSize;
  const unsigned char* end = p + out.windowBytes;
  if (!ReadRecord(p, end, out.window, error)) return false;
  if (out.window.kind != DialogWindow) return error = "first record is not the window", false;
  for (int i = 0; i < out.controlCount; ++i) {
    DialogRecord r;
    if (!ReadRecord(p, end, r, error) || !CheckControl(r, error)) {
      error = "control " + std::to_string(i + 1) + ": " + error;
      return false;
    }
    out.controls.push_back(r);
  }
  if (p != end) return error = "bytes left after the last control", false;
  LayOutData(out);
  return true;
}

}  // namespace hostsim
