// goodstool: builds a warehouse goods file from a UTF-8 CSV and shows one again.
//   goodstool build <goods.csv> <MMM1.MGR>   CSV (symbol,index,name,vat,net,gross,remarks) to a goods file
//   goodstool dump  <MMM1.MGR> [out.csv]     goods file to CSV (stdout without out.csv)
//   goodstool table <MMM1.MGR>               goods file as a readable table
//   goodstool text  <INFO.TXT>               a Mazovia text file in UTF-8 (CR LF as LF)
//   goodstool diff  <A.MGR> <B.MGR>          what differs, record by record and field by field
//   goodstool set   <MMM1.MGR> SYMBOL FIELD VALUE   one field of one record, in place
//   goodstool --help                         this usage on stdout, exit code 0
// Exit codes: 0 done, 1 a file could not be read or written or the CSV is refused,
// 2 wrong usage (the usage on stderr). diff, like the system's diff: 0 the same,
// 1 different, 2 wrong usage or a file that cannot be read. Paths are taken as the
// system gives them (wmain on Windows) and opened through the wide-character functions;
// messages and output print right through a pipe (UTF-8) and at the console.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "hostsim/base/charset.h"
#include "hostsim/base/utf8_path.h"
#include "hostsim/goods/goods_csv.h"
#include "hostsim/goods/goods_diff.h"
#include "hostsim/services/files.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "hostsim/win32/console_text.h"
#endif

namespace {

constexpr const char* UsageText =
    "usage: goodstool build <goods.csv> <goods file>\n"
    "       goodstool dump <goods file> [out.csv]\n"
    "       goodstool table <goods file>\n"
    "       goodstool text <Mazovia text file>\n"
    "       goodstool diff <goods file A> <goods file B>\n"
    "       goodstool set <goods file> <symbol> <field> <value>\n"
    "         (field: symbol, index, name, vat, net, gross, remarks; every other byte stays)\n"
    "       goodstool --help\n";

// UTF-8 text to stdout or stderr.
void Print(std::FILE* stream, const std::string& text) {
#ifdef _WIN32
  hostsim::PrintUtf8(stream, text);
#else
  std::fwrite(text.data(), 1, text.size(), stream);
#endif
}

// One line of the tool's own on stderr: "goodstool: " and the text.
void Complain(const std::string& text) { Print(stderr, "goodstool: " + text + "\n"); }

// Wrong usage: the usage on stderr, exit code 2.
int Usage() {
  std::fputs(UsageText, stderr);
  return 2;
}

// Whether the command takes this many arguments (argc counts the program and the command).
bool Fits(const std::string& command, int argc) {
  if (command == "build") return argc == 4;
  if (command == "dump") return argc == 3 || argc == 4;
  if (command == "table" || command == "text") return argc == 3;
  if (command == "diff") return argc == 4;
  if (command == "set") return argc == 6;
  return false;
}

bool WriteFile(const std::string& name, const std::string& bytes) {
  if (name.empty()) {
    Print(stdout, bytes);
    return true;
  }
  std::FILE* f = hostsim::OpenUtf8(name, "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// goodstool diff: the differences on stdout; 0 the same, 1 different, 2 a file that
// cannot be read.
int Diff(const char* a, const char* b) {
  std::string bytesA, bytesB;
  for (auto [name, bytes] : {std::pair{a, &bytesA}, std::pair{b, &bytesB}})
    if (!hostsim::ReadWholeFile(name, *bytes)) {
      Complain(std::string("cannot read ") + name);
      return 2;
    }
  std::string differences = hostsim::GoodsFileDifferences(bytesA, bytesB);
  std::fputs(differences.c_str(), stdout);
  return differences.empty() ? 0 : 1;
}

}  // namespace

int Main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 and line feeds exactly as written
#endif
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(UsageText, stdout);
    return 0;
  }
  if (argc < 2 || !Fits(argv[1], argc)) return Usage();
  std::string command = argv[1];
  if (command == "diff") return Diff(argv[2], argv[3]);
  std::string input;
  if (!hostsim::ReadWholeFile(argv[2], input)) {
    Complain(std::string("cannot read ") + argv[2]);
    return 1;
  }
  std::string output, error, done, target = argc > 3 ? argv[3] : "";
  if (command == "build") {
    if (!hostsim::GoodsFileFromCsv(input, output, error)) {
      Complain(std::string(argv[2]) + ": " + error);
      return 1;
    }
  } else if (command == "set") {
    std::size_t record = 0;
    std::vector<std::string> a(argv, argv + argc);  // UTF-8 (wmain converts them)
    output = input;
    target = argv[2];
    if (!hostsim::SetGoodsField(output, a[3], a[4], a[5], record, error)) {
      std::fprintf(stderr, "goodstool: %s: %s\n", argv[2], error.c_str());
      return 1;
    }
    done = a[2] + ": record " + std::to_string(record) + " (" + a[3] + "): " + a[4] + " set to " + a[5] + "\n";
  } else if (command == "dump") {
    output = hostsim::GoodsFileToCsv(input);
  } else if (command == "table") {
    output = hostsim::GoodsFileToTable(input);
  } else {
    for (char c : hostsim::MazoviaToUtf8(input))
      if (c != '\r') output += c;
  }
  if (!WriteFile(target, output)) {
    Complain("cannot write " + target);
    return 1;
  }
  std::fputs(done.c_str(), stdout);
  return 0;
}

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments = hostsim::Utf8Arguments(argc, argv);
  return Main(argc, hostsim::ArgumentPointers(arguments).data());
}
#else
int main(int argc, char** argv) { return Main(argc, argv); }
#endif
