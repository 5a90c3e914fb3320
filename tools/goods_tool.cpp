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
// 1 different, 2 wrong usage or a file that cannot be read.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "hostsim/base/charset.h"
#include "hostsim/goods/goods_csv.h"
#include "hostsim/goods/goods_diff.h"
#include "hostsim/services/files.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
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
  std::FILE* f = name.empty() ? stdout : std::fopen(name.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f != stdout) ok = std::fclose(f) == 0 && ok;
  return ok;
}

// The command line's arguments in UTF-8: on Windows from the wide command line, since
// the narrow one loses what the code page lacks (the Polish letters of a symbol).
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
#ifdef _WIN32
  int n = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &n);
  for (int i = 0; wide && n == argc && i < n; ++i) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string text(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), bytes, nullptr, nullptr);
    args[i] = text;
  }
  if (wide) LocalFree(wide);
#endif
  return args;
}

// goodstool diff: the differences on stdout; 0 the same, 1 different, 2 a file that
// cannot be read.
int Diff(const char* a, const char* b) {
  std::string bytesA, bytesB;
  for (auto [name, bytes] : {std::pair{a, &bytesA}, std::pair{b, &bytesB}})
    if (!hostsim::ReadWholeFile(name, *bytes)) {
      std::fprintf(stderr, "goodstool: cannot read %s\n", name);
      return 2;
    }
  std::string differences = hostsim::GoodsFileDifferences(bytesA, bytesB);
  std::fputs(differences.c_str(), stdout);
  return differences.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
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
    std::fprintf(stderr, "goodstool: cannot read %s\n", argv[2]);
    return 1;
  }
  std::string output, error, done, target = argc > 3 ? argv[3] : "";
  if (command == "build") {
    if (!hostsim::GoodsFileFromCsv(input, output, error)) {
      std::fprintf(stderr, "goodstool: %s: %s\n", argv[2], error.c_str());
      return 1;
    }
  } else if (command == "set") {
    std::size_t record = 0;
    std::vector<std::string> a = Utf8Arguments(argc, argv);
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
    std::fprintf(stderr, "goodstool: cannot write %s\n", target.c_str());
    return 1;
  }
  std::fputs(done.c_str(), stdout);
  return 0;
}
