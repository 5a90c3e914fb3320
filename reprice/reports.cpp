#include "reprice/reports.h"

#include "host/mazovia.h"
#include "host/services.h"
#include "reprice/price_list.h"
#include "reprice/report_line.h"

namespace {

constexpr int MessageOrdinary = 1;
constexpr int MessageWhileWorking = 512;  // stays up until closeWaitMessage

// "[symbol] price name" for INFO4.TXT; a long name is cut before the price is.
void AppendEntryLine(const PriceEntry& e) {
  LinePiece head;
  PutText(head, "[");
  PutText(head, e.symbol);
  PutText(head, "] ");
  PutPrice(head, e.price, 10);
  PutText(head, " ");
  char line[ReportLineSize];
  ComposeReportLine(line, head.text, e.name, 0, "");
  appendLine(ReportInfo4, line);
}

// The entry's status line in file: "Mag:<warehouse> <symbol, 25 wide><tail>".
void AppendStatusLine(const char* file, int32_t warehouse, const PriceEntry& e, const char* tail) {
  AppendWarehouseLine(file, warehouse, e.symbol, tail);
}

// Counts the entry's status and writes the line it calls for, if any.
void ReportStatus(RunCounters& c, int32_t warehouse, const PriceEntry& e) {
  switch (e.status) {
    case StatusNotFound:
      ++c.unidentifiedCount;
      AppendStatusLine(ReportInfo2, warehouse, e, Mz(" - Brak towaru na magazynie"));
      return;
    case StatusSamePrice: {
      ++c.samePriceCount;
      LinePiece tail;
      PutText(tail, Mz(" - Ta sama cena towaru "));
      PutPrice(tail, e.price, 20);
      AppendStatusLine(ReportInfo, warehouse, e, tail.text);
      return;
    }
    case StatusSymbolTooLong:
      ++c.tooLongCount;
      AppendStatusLine(ReportInfo, warehouse, e, Mz(" - Za długi symbol towaru"));
      return;
    case StatusChangeFailed:
      ++c.changeErrorCount;
      AppendStatusLine(ReportInfo, warehouse, e, Mz(" - Źle zmianiono cenę"));
      return;
    case StatusBadPrice:  // a failed change too: the file's price could not be applied
      ++c.changeErrorCount;
      AppendStatusLine(ReportInfo, warehouse, e, Mz(" - Błędna cena w pliku"));
      return;
    default:  // StatusRepriced, or a value no pass sets: no line
      return;
  }
}

}  // namespace

RunCounters WriteReports(int32_t warehouse) {
  RunCounters c{};
  messageBox(Mz("uwaga"), Mz("Proszę czekać. Tworzenie raportu."), MessageWhileWorking);
  for (int32_t i = 0; i < priceList.count; ++i) {
    const PriceEntry& e = priceList.entries[i];
    AppendEntryLine(e);
    ReportStatus(c, warehouse, e);
  }
  closeWaitMessage();
  c.entriesRead = priceList.count < 0 ? 0 : priceList.count;
  return c;
}

void ShowSummary(const RunCounters& c) {
  messageBoxFormat(Mz("uwaga"),
                   Mz("Ilość towarów odczytana z pliku:    %d\n"
                      "Ilość niezidentyfikowanych towarów: %d\n"
                      "Ilość za długich symboli:           %d\n"
                      "Błąd zmiany ceny:                   %d\n"
                      "Towary z takimi samymi cenami:      %d"),
                   MessageOrdinary, static_cast<int>(c.entriesRead), static_cast<int>(c.unidentifiedCount),
                   static_cast<int>(c.tooLongCount), static_cast<int>(c.changeErrorCount),
                   static_cast<int>(c.samePriceCount));
}

bool ShowsInfoFile(const RunCounters& c) { return c.unidentifiedCount != 0 || c.samePriceCount != 0; }
