#include "reprice/report_line.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "host/services.h"

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

}  // namespace

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
  char head[ReportLineSize];
  char line[ReportLineSize];
  std::snprintf(head, sizeof head, "Mag:%d ", static_cast<int>(warehouse));
  ComposeReportLine(line, head, text, SymbolWidth, tail);
  appendLine(file, line);
}
