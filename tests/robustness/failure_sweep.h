// The failure sweep's shop, its run and the checks after a run in which a host service
// failed: natively (every call of every service) and through the DLL (a sample).
// After every run the goods file holds each record wholly as before or wholly as the
// price file makes it, its partial tail untouched, no price that is no number; the
// host's memory and cursors are given back; and the reports claim no change that the
// goods file does not hold.
#pragma once
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/mazovia.h"
#include "hostsim/player/failure_plan.h"
#include "tests/robustness/hostile_run.h"

namespace testing_sweep {

using testing_hostile::RecordSize;

// A goods record with prices in ten-thousandths, exactly as the host stores them.
inline std::string Record(const std::string& symbol, const std::string& index, const std::string& remarks,
                          int16_t vat, double net, double gross, const std::string& name) {
  std::string r = testing_hostile::Record(symbol, index, remarks, vat, 0, 0, name);
  std::memcpy(r.data() + run_checks::NetAt, &net, sizeof net);
  std::memcpy(r.data() + run_checks::GrossAt, &gross, sizeof gross);
  return r;
}

// The shop: six goods records and a partial record of 100 bytes at the end (prices
// in ten-thousandths): symbol, index, VAT code, net, gross, name.
//   0 KAWA    100  1  10.00 / 12.30  Kawa stara
//   1 HERB    200  1   5.00 /  6.15  Herbata
//   2 MLEKO   300  2   2.00 /  2.16  Mleko
//   3 CUKIER  400  1   4.00 /  4.92  Cukier     (in no price file)
//   4 MLEKO   301  2   3.00 /  3.24  Mleko UHT
//   5 SOL     500  3   1.00 /  1.05  Sól        (its price line holds no number)
inline std::vector<std::string> OldRecords() {
  return {
      Record("KAWA", "100", "polka 1", 1, 100000, 123000, "Kawa stara"),
      Record("HERB", "200", "polka 2", 1, 50000, 61500, "Herbata"),
      Record("MLEKO", "300", "lodowka", 2, 20000, 21600, "Mleko"),
      Record("CUKIER", "400", "polka 3", 1, 40000, 49200, "Cukier"),
      Record("MLEKO", "301", "lodowka", 2, 30000, 32400, "Mleko UHT"),
      Record("SOL", "500", "polka 4", 3, 10000, 10500, Mz("Sól")),
  };
}

inline const std::string PartialTail = std::string(100, '\x5A');

inline std::string GoodsFile(const std::vector<std::string>& records) {
  std::string file;
  for (const std::string& r : records) file += r;
  return file + PartialTail;
}

// A key of the price file that reprices the shop, with its records.
struct Key {
  const char* symbol;  // the price file's field 0
  std::vector<int> records;
};

// One way of repricing the shop: the price file (Mazovia, CR LF), the user's dialog
// (after F3 and the chooser's "towary.txt"), what each record becomes (the old record
// where nothing changes) and the keys that change records.
struct Scenario {
  const char* label;
  std::string priceFile;
  std::string dialog;
  bool namesCopied;
  std::vector<std::string> newRecords;
  std::vector<Key> keys;
};

inline std::vector<Scenario> Scenarios() {
  std::vector<Scenario> all;
  // Gross prices by symbol, names copied: three keys reprice (HERB and the second
  // MLEKO keep their prices and take the new name), OSCYPEK is missing, SOL's price
  // is no number.
  Scenario gross{"gross prices by symbol, names copied",
                 Mz("KAWA\tKawa świeża\tszt\t23\t24,60\r\n"
                    "HERB\tHerbata czarna\tszt\t23\t6,15\r\n"
                    "MLEKO\tMleko 2%\tszt\t8\t3,24\r\n"
                    "OSCYPEK\tOscypek\tszt\t23\t9,99\r\n"
                    "SOL\tSól\tszt\t5\tabc\r\n"),
                 "choose B; choose S; tick; F12", true, OldRecords(),
                 {{"KAWA", {0}}, {"HERB", {1}}, {"MLEKO", {2, 4}}}};
  gross.newRecords[0] = Record("KAWA", "100", "polka 1", 1, 200000, 246000, Mz("Kawa świeża"));
  gross.newRecords[1] = Record("HERB", "200", "polka 2", 1, 50000, 61500, "Herbata czarna");
  gross.newRecords[2] = Record("MLEKO", "300", "lodowka", 2, 30000, 32400, "Mleko 2%");
  gross.newRecords[4] = Record("MLEKO", "301", "lodowka", 2, 30000, 32400, "Mleko 2%");
  all.push_back(gross);
  // Net prices by index, names kept: 100 and 300 reprice, 200 and 301 keep their
  // prices (nothing stored), 999 is missing, 500's price is no number.
  Scenario net{"net prices by index, names kept",
               "100\tKawa\tszt\t23\t20,00\r\n"
               "200\tHerbata\tszt\t23\t5,00\r\n"
               "300\tMleko\tszt\t8\t3,00\r\n"
               "301\tMleko\tszt\t8\t3,00\r\n"
               "999\tNic\tszt\t23\t1,00\r\n"
               "500\tSol\tszt\t5\tabc\r\n",
               "choose N; choose I; clear; F12", false, OldRecords(),
               {{"100", {0}}, {"300", {2}}}};
  net.newRecords[0] = Record("KAWA", "100", "polka 1", 1, 200000, 246000, "Kawa stara");
  net.newRecords[2] = Record("MLEKO", "300", "lodowka", 2, 30000, 32400, "Mleko");
  all.push_back(net);
  return all;
}

// The user: F3 first (the chooser gives the price file), then the scenario's choices
// and F12; warehouse 1.
inline void PlayTheUser(const Scenario& scenario) {
  hostsim::dialogs.script = {"F3", scenario.dialog};
  hostsim::dialogs.chooserScript = {"towary.txt"};
  hostsim::dialogs.warehouseScript = {1};
}

// Whether some line of the report lines begins with the text.
inline bool HasLineStarting(const std::vector<std::string>& lines, const std::string& start) {
  for (const std::string& l : lines)
    if (l.compare(0, start.size(), start) == 0) return true;
  return false;
}

// Whether a status line "Mag:<warehouse> <symbol padded to 25> - <text>" of that
// symbol and text is among the lines, whatever the warehouse.
inline bool HasStatus(const std::vector<std::string>& lines, const std::string& symbol, const std::string& text) {
  std::string tail = " " + symbol + std::string(25 - symbol.size(), ' ') + " - " + text;
  for (const std::string& l : lines) {
    std::size_t blank = l.find(' ');
    if (l.compare(0, 4, "Mag:") == 0 && blank != std::string::npos && l.compare(blank, std::string::npos, tail) == 0)
      return true;
  }
  return false;
}

// The number after the label in the summary (UTF-8), 0 when absent.
inline int SummaryCount(const std::string& summary, const std::string& label) {
  std::size_t at = summary.find(label);
  if (at == std::string::npos) return 0;
  return std::atoi(summary.c_str() + at + label.size());
}

// Everything wrong with the goods file after a run, one line each: a record neither
// wholly old nor wholly new, a change outside names and prices, a price that is no
// number, the partial tail touched. isNew: which records are wholly new.
inline std::vector<std::string> GoodsProblems(const Scenario& scenario, const std::string& goods,
                                              std::vector<bool>& isNew) {
  std::vector<std::string> problems;
  const std::vector<std::string> old = OldRecords(), &fresh = scenario.newRecords;
  std::string before = GoodsFile(old);
  if (std::string p = run_checks::GoodsProblem(before, goods, scenario.namesCopied); !p.empty())
    problems.push_back(p);
  isNew.assign(old.size(), false);
  if (goods.size() != before.size()) return problems;
  for (std::size_t i = 0; i < old.size(); ++i) {
    std::string now = goods.substr(i * RecordSize, RecordSize);
    isNew[i] = now == fresh[i];
    if (now != old[i] && now != fresh[i])
      problems.push_back("record " + std::to_string(i) + " is neither the old one nor the new one");
  }
  return problems;
}

// The reports' claims against the goods file: a key is claimed changed (repriced, or
// its price the same with its name copied) when INFO4.TXT has its entry and neither
// INFO.TXT reports it failed nor INFO2.TXT as not found. notHeld: the keys read whose
// records do not all hold their new contents.
inline std::vector<std::string> ClaimProblems(const Scenario& scenario, const std::vector<bool>& isNew,
                                              bool appendsLost, int& notHeld) {
  std::vector<std::string> problems;
  std::vector<std::string> info = testing_run::Lines("INFO.TXT"), info2 = testing_run::Lines("INFO2.TXT"),
                           info4 = testing_run::Lines("INFO4.TXT");
  // With lines lost only the summary can tell; every entry was read then (one service
  // fails at a time).
  for (const Key& k : scenario.keys) {
    bool held = true;
    for (int r : k.records) held = held && isNew[r];
    bool read = appendsLost || HasLineStarting(info4, std::string("[") + k.symbol + "]");
    if (held || !read) continue;
    ++notHeld;
    if (appendsLost) continue;
    if (!HasStatus(info, k.symbol, "Źle zmianiono cenę") && !HasStatus(info2, k.symbol, "Brak towaru na magazynie"))
      problems.push_back(std::string(k.symbol) + ": not held by the goods file, yet reported as changed");
  }
  return problems;
}

// Everything wrong with the run just made, one line each; empty when it is sound.
// goods: the goods file after it; summary: the summary's text (UTF-8), empty when none
// was shown; appendsLost: the run lost report lines (its INFO files may lack lines).
inline std::vector<std::string> RunProblems(const Scenario& scenario, const std::string& goods,
                                            const std::string& summary, bool appendsLost) {
  std::vector<bool> isNew;
  std::vector<std::string> problems = GoodsProblems(scenario, goods, isNew);
  std::string before = GoodsFile(OldRecords());
  if (goods.size() != before.size()) return problems;
  if (summary.empty()) {
    if (goods != before) problems.push_back("the goods changed in a run that showed no summary");
    for (const char* f : testing_run::ReportFiles)
      if (testing_run::Exists(f)) problems.push_back(std::string(f) + " written by a run that ended early");
    return problems;
  }
  int notHeld = 0;
  for (std::string& p : ClaimProblems(scenario, isNew, appendsLost, notHeld)) problems.push_back(p);
  // The summary too: every key read and not held is counted as failed or as not found.
  int counted = SummaryCount(summary, "Błąd zmiany ceny:") + SummaryCount(summary, "Ilość niezidentyfikowanych towarów:");
  if (counted < notHeld)
    problems.push_back("the summary counts " + std::to_string(counted) + " failed or not found, the goods file lacks " +
                       std::to_string(notHeld));
  return problems;
}

// Every plan of the sweep for a service whose reference run made `calls` calls: each
// call number, once and from then on (the conversion with each of its three failures).
// sample: only the first and the last call.
inline std::vector<hostsim::ServicePlan> PlansFor(hostsim::FailingService service, int calls, bool sample) {
  std::vector<hostsim::ServicePlan> plans;
  int variants = service == hostsim::FailingService::Conversion ? 3 : 1;
  for (int k = 1; k <= calls; ++k) {
    if (sample && k != 1 && k != calls) continue;
    for (bool on : {false, true})
      for (int v = 0; v < variants; ++v) plans.push_back({k, on, v});
  }
  return plans;
}

inline std::string PlanLabel(hostsim::FailingService service, const hostsim::ServicePlan& p) {
  return std::to_string(hostsim::OrdinalOf(service)) + " " + hostsim::NameOf(service) + ": call " +
         std::to_string(p.call) + (p.fromThenOn ? " and on" : " once") +
         (p.variant ? " (variant " + std::to_string(p.variant) + ")" : "");
}

}  // namespace testing_sweep
