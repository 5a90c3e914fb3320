// Report lines: formatted in a 256-byte buffer each and handed to the host's append
// service without a line end.
#pragma once
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t ReportLineSize = 256;  // at most 255 characters and the NUL

inline constexpr const char* ReportInfo = "INFO.TXT";    // problems: same price, too long, failed
inline constexpr const char* ReportInfo2 = "INFO2.TXT";  // entries missing from the warehouse
inline constexpr const char* ReportInfo3 = "INFO3.TXT";  // one line per goods record
inline constexpr const char* ReportInfo4 = "INFO4.TXT";  // one line per entry

// Writes head, then text left-aligned and blank-filled to width, then tail into line
// (ReportLineSize bytes), always terminated. When the whole would pass 255 characters
// the text is shortened first, so the numbers in head and tail stay whole; only when
// head and tail alone are too long is the line cut at 255.
void ComposeReportLine(char* line, const char* head, const char* text, std::size_t width,
                       const char* tail);

// A piece of a report line (its head or its tail) put together from texts, numbers and
// prices; what would pass 255 characters is cut, as the formatted print into 256 bytes
// cuts it. Its text is terminated from the first piece put on.
struct LinePiece {
  std::size_t length = 0;
  char text[ReportLineSize];
};

// Adds text, as "%s" would.
void PutText(LinePiece& piece, const char* text);
// Adds the number in decimal, with a minus sign when negative, as "%d" would.
void PutNumber(LinePiece& piece, int32_t number);
// Adds a stored price divided by PriceScale as "%<width>.2f" would (PriceText).
void PutPrice(LinePiece& piece, double stored, int width);

// Appends "Mag:<warehouse> <text, blank-filled to 25><tail>" to file through the host's
// append service, composed as ComposeReportLine does (the text gives way first).
void AppendWarehouseLine(const char* file, int32_t warehouse, const char* text, const char* tail);
