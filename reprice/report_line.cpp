#include "reprice/report_line.h"

#include <algorithm>
#include <cstring>

#include "host/services.h"
#include "reprice/price_text.h"

namespace {

constexpr std::size_t MaxLine = ReportLineSize - 1;
constexpr std::size_t SymbolWidth = 25;

// Appends up to n bytes of text at line[used], never past MaxLine; returns the new length.
std::size_t Put(char* line, std::size_t used, const char* text, std::size_t n) {
  n = std::min(n, MaxLine - used);
  std::memcpy(line + used, text, n);
  return used + n;
}

// Appends up to n blanks, never past MaxLine; returns the new length.
std::size_t Blanks(char* line, std::size_t used, std::size_t n) {
  n = std::min(n, MaxLine - used);
  std::memset(line + used, ' ', n);
  return used + n;
}

// Adds n bytes of text to the piece, as many as fit before 255 characters.
void PutBytes(LinePiece& piece, const char* text, std::size_t n) {
  piece.length = Put(piece.text, piece.length, text, n);
  piece.text[piece.length] = 0;
}

}  // namespace

void PutText(LinePiece& piece, const char* text) { PutBytes(piece, text, strnlen(text, MaxLine)); }

void PutNumber(LinePiece& piece, int32_t number) {
  char digits[12];
  char* p = digits + sizeof digits;
  uint32_t rest = number < 0 ? 0u - static_cast<uint32_t>(number) : static_cast<uint32_t>(number);
  do {
    *--p = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest);
  if (number < 0) *--p = '-';
  PutBytes(piece, p, static_cast<std::size_t>(digits + sizeof digits - p));
}

void PutPrice(LinePiece& piece, double stored, int width) {
  char text[PriceTextSize];
  PutBytes(piece, text, PriceText(text, stored, width));
}

void ComposeReportLine(char* line, const char* head, const char* text, std::size_t width,
                       const char* tail) {
  std::size_t headLength = strnlen(head, MaxLine);
  std::size_t tailLength = strnlen(tail, MaxLine);
  std::size_t room = MaxLine - std::min(MaxLine, headLength + tailLength);
  std::size_t textLength = std::min(std::strlen(text), room);
  std::size_t used = Put(line, 0, head, headLength);
  used = Put(line, used, text, textLength);
  std::size_t padded = std::min(width, room);
  if (textLength < padded) used = Blanks(line, used, padded - textLength);
  used = Put(line, used, tail, tailLength);
  line[used] = 0;
}

void AppendWarehouseLine(const char* file, int32_t warehouse, const char* text, const char* tail) {
  LinePiece head;
  PutText(head, "Mag:");
  PutNumber(head, warehouse);
  PutText(head, " ");
  char line[ReportLineSize];
  ComposeReportLine(line, head.text, text, SymbolWidth, tail);
  appendLine(file, line);
}
