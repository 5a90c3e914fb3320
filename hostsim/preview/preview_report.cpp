#include "hostsim/preview/preview_report.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "hostsim/base/charset.h"
#include "hostsim/base/settings_file.h"
#include "hostsim/base/transcript.h"
#include "hostsim/base/utf8_path.h"
#include "hostsim/preview/run_warnings.h"
#include "hostsim/preview/scratch_folder.h"

namespace hostsim::preview {
namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return PathUtf8(Utf8Path(folder) / Utf8Path(name));
}

// The text of the last summary in the transcript; empty when the run showed none.
std::string LastSummary() {
  static const std::string Label = "Ilość towarów odczytana z pliku:";
  const std::vector<Shown>& shown = Transcript();
  for (auto it = shown.rbegin(); it != shown.rend(); ++it)
    if (it->service == "messageBoxFormat" && it->text.rfind(Label, 0) == 0) return it->text;
  return "";
}

// The options the run saved: the stand-in's settings file where the run went.
RunSettings SavedSettings() {
  auto number = [](const char* key) { return std::atoi(StoredSetting("Przecena", key).value_or("0").c_str()); };
  return {MazoviaToUtf8(StoredSetting("Przecena", "Path").value_or("")), number("Index"), number("Mag")};
}

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

Preview CollectPreview(const std::string& dataFolder, const std::string& scratchFolder, double warnPercent) {
  Preview p{dataFolder, scratchFolder, warnPercent, {}, {}, LastSummary(), {}};
  for (const auto& [warehouse, name] : GoodsFilesIn(dataFolder)) {
    std::vector<GoodsChange> file = CompareGoodsFiles(FileBytes(Join(dataFolder, name)),
                                                      FileBytes(Join(scratchFolder, name)), warehouse, warnPercent);
    p.goods.insert(p.goods.end(), file.begin(), file.end());
  }
  p.reported = ReadReports(FileBytes(Join(scratchFolder, "INFO.TXT")), FileBytes(Join(scratchFolder, "INFO2.TXT")));
  p.runWarnings = RunWarnings(dataFolder, scratchFolder, SavedSettings(), p.summary);
  return p;
}

bool PresentPreview(const Preview& p, const std::function<void(const std::string&)>& print, std::string& error) {
  for (const std::string& line : PreviewLines(p)) print(line);
  print("");
  bool written = true;
  for (const auto& [name, bytes] : {std::pair{"preview.csv", PreviewCsv(p)}, std::pair{"preview.html", PreviewHtml(p)}}) {
    std::string path = Join(p.scratchFolder, name);
    if (Write(path, bytes)) {
      print("Zapisano: " + path);
      continue;
    }
    error += (error.empty() ? "cannot write " : ", ") + path;
    written = false;
  }
  return written;
}

}  // namespace hostsim::preview
