// What the bytes of a price file say about its character set, and the UTF-8 byte-order
// mark at its start. The host's texts are Mazovia, whose Polish letters all lie in
// 0x80-0xA7 and whose 0xB0-0xDF are box-drawing signs; the Polish letters of UTF-8
// begin with 0xC3-0xC5 and most of Windows-1250's lie in 0xB0-0xDF, so a box-drawing
// byte beside a letter gives such a file away.
#pragma once
#include "reprice/text_reader.h"

enum class PriceFileCodePage { Mazovia, Utf8, Windows1250 };

// Noted over the symbol and name fields of the lines read.
struct CodePageNote {
  bool boxDrawingBesideLetter;  // some byte 0xB0-0xDF next to a letter byte (below)
  bool notUtf8;                 // some byte 0x80 or above outside a UTF-8 sequence (below)
};

// The note of the price file last read (ReadPriceFile starts it afresh).
extern CodePageNote priceFileCodePage;

// Adds one zero-terminated field to note. A field is plainly not Mazovia when it holds
// a byte 0xB0-0xDF directly before or after an ASCII letter or any byte 0x80 or above.
void NoteCodePage(CodePageNote& note, const char* field);

// Mazovia unless some field was plainly not: then Utf8 when every byte 0x80 or above
// of the fields noted lay in a UTF-8 sequence of U+0080-U+017F (0xC2-0xC5 and one byte
// 0x80-0xBF) or of U+2000-U+2FFF (0xE2 and two such bytes), else Windows1250.
PriceFileCodePage CodePageOf(const CodePageNote& note);

// Called with the first line read (by ReadTextLine into line of size bytes): when it
// begins with the UTF-8 byte-order mark EF BB BF, the mark is dropped and the line is
// completed from the reader as if the file had none (a line cut at size - 1 bytes
// gets the bytes that then fit).
void DropByteOrderMark(TextReader& reader, char* line, int size);
