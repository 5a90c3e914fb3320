// Hostile price files through whole runs: bytes no exporter writes, lines around the
// reader's 255-byte limit, numbers far beyond a double, symbols and names of every
// length around their limits, and pseudo-random files.
#include <string>
#include <vector>

#include "host/mazovia.h"
#include "tests/robustness/hostile_run.h"

using namespace testing_hostile;

namespace {

// A small warehouse whose keys the hostile lines use: empty, one letter, 16 letters
// (the whole symbol field), Polish letters; index and remarks carry the same keys.
std::string Warehouse() {
  const std::string keys[] = {"A", "B", "", "AAAAAAAAAAAAAAAA", Mz("ŁÓDŹ"), "9"};
  std::string file;
  int16_t vat = 1;
  for (const std::string& k : keys) file += Record(k, k, k, vat++, 10.0, 12.3);
  return file;
}

std::string Line(const std::string& symbol, const std::string& name, const std::string& price) {
  return symbol + "\t" + name + "\tszt\t23\t" + price + "\r\n";
}

// A line of exactly n bytes (LF included) whose fields stay those of a sound line.
std::string LineOfLength(std::size_t n, bool padName) {
  std::string head = "A\t", tail = "\tx\ty\t1,00\t";
  std::string name = padName ? std::string(n > head.size() + tail.size() + 1 ? n - head.size() - tail.size() - 1 : 0, 'n') : "n";
  std::string line = head + name + tail;
  if (line.size() + 1 < n) line += std::string(n - line.size() - 1, 'z');
  return line + "\n";
}

struct HandMade {
  const char* label;
  std::string bytes;
};

std::vector<HandMade> HandMadeFiles() {
  std::vector<HandMade> files = {
      {"empty", ""},
      {"NUL bytes inside lines",
       std::string("A\0B\tname\tx\ty\t1,00\r\nA\tna\0me\tx\ty\t2\0,5\r\n\0\0\0\n\tA\t\0\t\t3\t\n", 40)},
      {"only TABs", std::string(300, '\t') + "\n" + std::string(5, '\t') + "\n" + std::string(255, '\t')},
      {"CR without LF", "A\tn\tx\ty\t1\rB\tn\tx\ty\t2\r\r\r\rA\tn\tx\ty\t3\r"},
      {"LF CR and lone LF", "A\tn\tx\ty\t1\n\rB\tn\tx\ty\t2\n\n\n"},
      {"Ctrl-Z in the middle", Line("A", "n", "1") + "\x1a" + Line("B", "n", "2")},
      {"Ctrl-Z inside a field", "A\tn\x1a\tx\ty\t1\r\n"},
      {"a final line without line end", Line("A", "n", "1") + "B\tn\tx\ty\t2"},
      {"a lone sign or point", Line("A", "n", "-") + Line("B", "n", ".") + Line("", "", "-.") + Line("9", "n", "+") +
                                   Line("A", "n", "e5") + Line("B", "n", "1e") + Line("A", "n", "1e+") +
                                   Line("B", "n", "--1") + Line("A", "n", ",") + Line("B", "n", ",,,,")},
      {"words a converter might know", Line("A", "n", "inf") + Line("B", "n", "nan") + Line("A", "n", "0x10") +
                                           Line("B", "n", "INFINITY") + Line("A", "n", "-nan(0)")},
      {"exponents beyond any double",
       Line("A", "n", "1e1000000000000000000000000000000") + Line("B", "n", "1e-1000000000000000000000000000000") +
           Line("A", "n", "0e999999999999999999999999999999") + Line("B", "n", "-1d400") + Line("9", "n", "1D-400") +
           Line("A", "n", "1e" + std::string(200, '9')) + Line("B", "n", "1e-" + std::string(200, '9')) +
           Line("A", "n", "1,7976931348623157e308") + Line("B", "n", "4,9e-324") + Line("A", "n", "-1e308")},
      {"numbers as long as a field gets", Line("A", "n", std::string(240, '9')) +
                                              Line("B", "n", "0," + std::string(238, '0') + "1") +
                                              Line("A", "n", std::string(240, '0')) +
                                              Line("B", "n", "1," + std::string(238, '9'))},
      {"white space before a number", Line("A", "n", " \v\f\r12") + Line("B", "n", "\x0b-3,5")},
  };
  // Lines around the reader's limit, padded in the name or after the last field.
  for (std::size_t n : {254u, 255u, 256u, 257u, 510u, 511u, 10000u})
    for (bool padName : {false, true})
      files.push_back({"a line of some length", LineOfLength(n, padName) + LineOfLength(n, padName)});
  // Numbers of 100 000 digits: the reader takes them in pieces of 255 bytes.
  files.push_back({"100 000 digits", "A\tn\tx\ty\t" + std::string(100000, '9') + "\t\n"});
  files.push_back({"100 000 digits after the point", "A\tn\tx\ty\t0," + std::string(100000, '7') + "\t\n"});
  files.push_back({"100 000 digits in a line of fields",
                   [] {
                     std::string s;
                     for (int i = 0; i < 1000; ++i) s += std::string(95, '9') + "\t";
                     return s + "\n";
                   }()});
  // Symbols and names of every length around their limits.
  std::string lines;
  for (int s = 0; s <= 30; ++s)
    for (int n : {0, 1, 118, 119, 120, 121, 200}) lines += Line(std::string(s, 'A'), std::string(n, 'N'), "1,23");
  files.push_back({"symbols 0-30 and names 0-200 characters", lines});
  // Every byte from 0x80 to 0xFF, in symbols, names and prices.
  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) {
    std::string c(1, static_cast<char>(b));
    high += Line(c, c + Mz("ąęłńóśźż"), c + "1,00") + Line("A" + c, std::string(130, static_cast<char>(b)), "2" + c);
  }
  files.push_back({"bytes 0x80-0xFF and Mazovia", high + Line(Mz("ŁÓDŹ"), Mz("Łódź"), "5,55")});
  return files;
}

class HostilePriceFiles : public HostileRun {};

TEST_F(HostilePriceFiles, HandMadeFilesRunSafelyEveryWay) {
  for (const HandMade& f : HandMadeFiles()) {
    SCOPED_TRACE(f.label);
    RunEveryWay(f.bytes, Warehouse());
  }
}

// Files of fragments a price file is made of, in random order and number, and files
// of random bytes; each run once, with a choice that changes from file to file.
TEST_F(HostilePriceFiles, PseudoRandomFilesRunSafely) {
  const std::string fragments[] = {"\t", "\t", "\t", "\r", "\n", "\r\n", std::string(1, '\0'), "\x1a", "A", "B",
                                   "AAAAAAAAAAAAAAAA", "9", ",", ".", "e", "d", "E", "-", "+", "1", "0", "99999",
                                   "1e400", "1e-400", " ", Mz("ŁÓDŹ"), "\xff", "\x80", std::string(200, 'x')};
  Random random{0x5EEDF00Du};
  for (int file = 0; file < 120; ++file) {
    SCOPED_TRACE("file " + std::to_string(file));
    std::string bytes;
    if (file % 4 == 3) {
      bytes = random.Bytes(random.Below(4000));
    } else {
      int pieces = random.Below(600);
      for (int i = 0; i < pieces; ++i) bytes += fragments[random.Below(std::size(fragments))];
    }
    Choice c{"towary.txt", file % 2 == 0, "SIU"[file % 3], file % 5 < 2, 1};
    RunOver(bytes, Warehouse(), c);
  }
}

}  // namespace
