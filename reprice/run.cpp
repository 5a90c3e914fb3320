#include "reprice/run.h"

#include <cstdio>

#include "host/services.h"
#include "reprice/options.h"
#include "reprice/price_file_code_page.h"
#include "reprice/price_file_messages.h"
#include "reprice/price_list.h"
#include "reprice/report_line.h"
#include "reprice/reports.h"
#include "reprice/warehouse.h"

// The repricing run. Called by the host, on its thread, when the user chooses the
// command; returns when the run has ended. Not re-entrant: it uses the one options
// record and the one price list, which is empty again when it returns.
extern "C" void RunRepricing(void) {
  std::remove(ReportInfo);
  std::remove(ReportInfo2);
  std::remove(ReportInfo3);
  std::remove(ReportInfo4);

  // A run that a structured exception ended on its way (a fault, a host service given
  // up) could not give its entries back; the next run starts with an empty list.
  ClearPriceList();

  int32_t warehouse = 0;
  LoadRepricingSettings(&warehouse);
  if (!AskRepricingOptions()) return;  // dialog left, or the file chooser refused
  warehouse = ChooseWarehouse(warehouse);
  SaveRepricingSettings(warehouse);

  ReadResult read = ReadPriceFile(repricingOptions.path);
  if (read == ReadResult::CannotOpen) ShowPriceFileNotOpened(repricingOptions.path);
  if (read != ReadResult::Read) return;  // not opened, or out of memory ("Za mało pamięci" shown)
  // Names copied from a file plainly not in Mazovia would be garbled in every record
  // they reach: the run ends before the first pass, as when the file does not open.
  PriceFileCodePage page = CodePageOf(priceFileCodePage);
  if (repricingOptions.copyName && page != PriceFileCodePage::Mazovia) {
    ClearPriceList();
    ShowPriceFileNotMazovia(page, repricingOptions.path);
    return;
  }
  int32_t gross = repricingOptions.gross;
  UpdateWarehousePrices(warehouse, gross);
  CheckWarehousePrices(warehouse, gross);
  RunCounters counters = WriteReports(warehouse);
  ClearPriceList();
  ShowSummary(counters);
  if (ShowsInfoFile(counters)) showTextFile(ReportInfo);
}
