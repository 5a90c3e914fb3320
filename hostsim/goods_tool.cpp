// goodstool: builds a warehouse goods file from a UTF-8 CSV and shows one again.
//   goodstool build <goods.csv> <MMM1.MGR>   CSV (symbol,index,name,vat,net,gross,remarks) to a goods file
//   goodstool dump  <MMM1.MGR> [out.csv]     goods file to CSV (stdout without out.csv)
//   goodstool table <MMM1.MGR>               goods file as a readable table
//   goodstool text  <INFO.TXT>               a Mazovia text file in UTF-8 (CR LF as LF)
#include <cstdio>
#include <string>

#include "hostsim/charset.h"
#include "hostsim/files.h"
#include "hostsim/goods_csv.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int Usage() {
  std::fputs("usage: goodstool build <goods.csv> <goods file>\n"
             "       goodstool dump <goods file> [out.csv]\n"
             "       goodstool table <goods file>\n"
             "       goodstool text <Mazovia text file>\n",
             stderr);
  return 2;
}

bool WriteFile(const std::string& name, const std::string& bytes) {
  std::FILE* f = name.empty() ? stdout : std::fopen(name.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f != stdout) ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 and line feeds exactly as written
#endif
  if (argc < 3) return Usage();
  std::string command = argv[1];
  std::string input;
  if (!hostsim::ReadWholeFile(argv[2], input)) {
    std::fprintf(stderr, "goodstool: cannot read %s\n", argv[2]);
    return 1;
  }
  std::string output, error, target = argc > 3 ? argv[3] : "";
  if (command == "build" && argc == 4) {
    if (!hostsim::GoodsFileFromCsv(input, output, error)) {
      std::fprintf(stderr, "goodstool: %s: %s\n", argv[2], error.c_str());
      return 1;
    }
  } else if (command == "dump" && argc <= 4) {
    output = hostsim::GoodsFileToCsv(input);
  } else if (command == "table" && argc == 3) {
    output = hostsim::GoodsFileToTable(input);
  } else if (command == "text" && argc == 3) {
    for (char c : hostsim::MazoviaToUtf8(input))
      if (c != '\r') output += c;
  } else {
    return Usage();
  }
  if (!WriteFile(target, output)) {
    std::fprintf(stderr, "goodstool: cannot write %s\n", target.c_str());
    return 1;
  }
  return 0;
}
