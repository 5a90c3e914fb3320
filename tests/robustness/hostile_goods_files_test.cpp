// Hostile goods files through whole runs: texts without terminators, prices that are
// no numbers or far too big, odd VAT codes, trailing partial records, empty files,
// random records and a warehouse of 100 000 goods.
#include <limits>
#include <string>
#include <vector>

#include "host/mazovia.h"
#include "tests/robustness/hostile_run.h"

using namespace testing_hostile;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::nan("");

// A price file that identifies by every kind of key the records below carry.
std::string Prices() {
  std::string s;
  for (const std::string& key : {std::string("A"), std::string("B"), std::string(), std::string(16, 'A'),
                                 std::string(17, 'A'), std::string(25, 'A'), std::string(24, '\xff'),
                                 std::string("AAAAAAAAAAAAAAAAZZZZZZZZZZZZZZ")})
    s += key + "\t" + std::string(119, 'N') + "\tszt\t23\t13,53\r\n";
  return s + "B\tB\tx\ty\t1e300\r\n";
}

// A record whose text fields are filled to their ends with `fill`, no terminator.
std::string Unterminated(char fill, int16_t vat = 1) {
  std::string r = Record("", "", "", vat, 10.0, 12.3);
  for (GoodsField field : {GoodsName, GoodsSymbol, GoodsIndex, GoodsRemarks})
    r.replace(field.offset, field.size, std::string(field.size, fill));
  return r;
}

struct Case {
  const char* label;
  std::string goods;
};

std::vector<Case> Cases() {
  std::vector<Case> cases = {
      {"an empty file", ""},
      {"one byte", "A"},
      {"only a partial record", std::string(RecordSize - 1, 'A')},
      {"texts without terminators", Unterminated('A') + Unterminated('\xff') + Unterminated('\0') + Unterminated('\x01')},
      {"a trailing partial record", Record("A", "A", "A", 1, 1, 1) + Record("B", "B", "B", 1, 1, 1) + std::string(500, 'A')},
      {"a trailing partial record of one byte", Record("A", "A", "A", 1, 1, 1) + "\0"},
  };
  std::string prices;
  for (double p : {NaN, -NaN, Inf, -Inf, -1.0, -1e300, 1e300, 1.7e304, 0.0, -0.0, 4.9e-324 / 10000})
    for (const char* key : {"A", "B", "C"}) prices += Record(key, key, key, 1, p, p) + Record(key, key, key, 2, 1.0, p);
  cases.push_back({"prices that are no numbers, negative or huge", prices});
  std::string vats;
  for (int16_t vat : {int16_t(-32768), int16_t(-1), int16_t(0), int16_t(5), int16_t(99), int16_t(32767)})
    vats += Record("A", "A", "A", vat, 10, 12.3) + Record("B", "B", "B", vat, 1e300, 1e300);
  cases.push_back({"odd VAT codes", vats});
  std::string remarks;
  for (std::size_t n : {0u, 25u, 26u, 200u, 255u, 256u, 311u})
    remarks += Record("Z", "Z", std::string(n, 'R'), 1, 1e300, 1) + Record("A", "A", std::string(n, 'A'), 1, -1e300, 1);
  cases.push_back({"long remarks beside huge prices", remarks});
  Random random{0xB0A710ADu};
  std::string noise;
  for (int i = 0; i < 40; ++i) noise += random.Bytes(RecordSize);
  cases.push_back({"random records", noise});
  std::string keyed;  // random records with a key the price file has
  for (int i = 0; i < 40; ++i) {
    std::string r = random.Bytes(RecordSize);
    r.replace(GoodsSymbol.offset, 2, std::string("A\0", 2));
    r.replace(GoodsIndex.offset, 2, std::string("B\0", 2));
    r.replace(GoodsRemarks.offset, 1, std::string(1, '\0'));
    keyed += r;
  }
  cases.push_back({"random records with keys", keyed});
  return cases;
}

class HostileGoodsFiles : public HostileRun {};

TEST_F(HostileGoodsFiles, EveryCaseRunsSafelyEveryWay) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.label);
    RunEveryWay(Prices(), c.goods);
  }
}

TEST_F(HostileGoodsFiles, AWarehouseOf100000GoodsRunsSafely) {
  std::string goods;
  goods.reserve(100000 * RecordSize + 100);
  for (int i = 0; i < 100000; ++i) {
    std::string key = i % 1000 == 0 ? "A" : "R" + std::to_string(i);
    goods += Record(key, key, key, static_cast<int16_t>(i % 7), i, i * 1.23);
  }
  goods += "partial";
  RunOver(Prices(), goods, {"towary.txt", true, 'S', true, 1});
  EXPECT_EQ(testing_run::Lines("INFO3.TXT").size(), 100000u);
}

}  // namespace
