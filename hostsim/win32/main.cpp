// hostsim.exe: the host stand-in as a program. Loads a plug-in, makes its load call,
// shows what it shows and its menu "Inne", chooses a command if asked, makes the
// unload call and frees the library. Everything shown goes to standard output in
// UTF-8, or through the wide-character output when that is a console. With --undo it
// loads nothing and takes the last run of a warehouse back (goods_undo.h).
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/base/charset.h"
#include "hostsim/base/data_folder.h"
#include "hostsim/base/transcript.h"
#include "hostsim/goods/goods_backup.h"
#include "hostsim/goods/goods_undo.h"
#include "hostsim/player/answer_keys.h"
#include "hostsim/player/answers.h"
#include "hostsim/preview/preview_report.h"
#include "hostsim/preview/scratch_folder.h"
#include "hostsim/screen/console_pace.h"
#include "hostsim/services/console_shows.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/service_table.h"
#include "hostsim/services/svc_menu.h"
#include "hostsim/services/svc_messages.h"
#include "hostsim/win32/console_output_win32.h"
#include "hostsim/win32/console_win32.h"
#include "hostsim/win32/host.h"
#include "hostsim/win32/message_box.h"

namespace {

const char* const kUsage =
    "usage: hostsim.exe [options]\n"
    "  --dll PATH            the plug-in (default: PRZECENA.DLL next to hostsim.exe)\n"
    "  --data DIR            the host's working folder: settings, goods files, the\n"
    "                        plug-in's reports; relative paths of the run resolve\n"
    "                        there (default .). The paths of --answers, --dll and\n"
    "                        --preview-dir are taken from where hostsim.exe starts\n"
    "  --answers FILE        answers for the host's dialogs, lines \"key = value\"\n"
    "  --choose              choose the plug-in's command in the menu \"Inne\"\n"
    "  --command N           choose command number N (may be repeated)\n"
    "  --capability N        the capability bits the host reports (default 1)\n"
    "  --build-date DATE     the host's build date, \"Mmm dd yyyy\" (default Mar 14 2011)\n"
    "  --no-descriptor       the host has no goods table descriptor\n"
    "  --record-length N     the descriptor's value at offset 6 (default 769)\n"
    "  --variant N           the descriptor's value at offset 12 (default 720)\n"
    "  --missing ORD         the host lacks this service (may be repeated)\n"
    "  --notice N            what the first-run notice dialog sets into its flag\n"
    "  --box ANSWER          answer the plug-in's next system message box: abort,\n"
    "                        retry, ignore, ok, ... (may be repeated, in order)\n"
    "  --quiet               show nothing but errors\n"
    "  --color               keep the highlight's ANSI codes in output that goes to\n"
    "                        no console (a pipe, a file); without, it is plain text\n"
    "  --batch               ask nothing at the console: a question that the answers\n"
    "                        leave open is an error (so is any without a console)\n"
    "  --keep N              keep the backups of the last N runs per warehouse\n"
    "                        (default 10) in the data folder's kopie/\n"
    "  --undo [WAREHOUSE]    load nothing: put back the goods file of the warehouse's\n"
    "                        last run (default: the warehouse of the last run) from\n"
    "                        its backup, if the file is still as that run left it\n"
    "  --preview             run on a copy of the data folder (which stays as it is)\n"
    "                        and show what the run would change, with warnings;\n"
    "                        writes preview.csv and preview.html into the copy\n"
    "  --preview-dir DIR     the copy goes there (a new or empty folder outside the\n"
    "                        data folder; default a new folder in the system's\n"
    "                        temporary folder)\n"
    "  --warn-change PERCENT a preview warns of gross price changes beyond this\n"
    "                        (either way; default 50)\n"
    "\n"
    "The answers file (UTF-8), one \"key = value\" a line, '#' starts a comment:\n";

const char* const kExitCodes =
    "\n"
    "Exit codes: 0 done, 1 the plug-in refused to load, 2 usage, answers or load error,\n"
    "3 a call left the plug-in by an exception, 4 done, but the summary reports failed\n"
    "price changes, 5 a preview with warnings (before 4; 3, 1 and 2 before both).\n"
    "With --undo: 0 put back, 1 refused (the line says why), 2 usage.\n";

// With --undo: ExitDone, or ExitRefused when the run is not taken back.
enum ExitCode {
  ExitDone = 0,
  ExitRefused = 1,
  ExitUsage = 2,
  ExitException = 3,
  ExitFailedChanges = 4,
  ExitPreviewWarnings = 5
};

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
  return text;
}

// The folder of hostsim.exe joined with name.
std::string NextToProgram(const char* name) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string p(path, n < sizeof path ? n : 0);
  std::size_t slash = p.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : p.substr(0, slash + 1)) + name;
}

// A menu title for the terminal: the letter between tildes in bold.
std::string MenuTitle(const std::string& mazovia) {
  std::string out;
  bool hot = false;
  for (char c : mazovia) {
    if (c == '~') {
      out += hot ? "\x1b[0m" : "\x1b[1;4m";
      hot = !hot;
      continue;
    }
    out += hostsim::MazoviaToUtf8(std::string(1, c));
  }
  return out + (hot ? "\x1b[0m" : "");
}

void ShowMenu() {
  hostsim::Say("Menu \"Inne\":");
  if (hostsim::menuInne.empty()) hostsim::Say("    (empty)");
  for (const hostsim::MenuCommand& c : hostsim::menuInne)
    hostsim::Say("    [" + std::to_string(c.entry.command) + "] " + MenuTitle(c.title));
}

// One line about a call into the plug-in; true when it returned.
bool Report(const std::string& what, const hostsim::CallOutcome& o) {
  if (o.completed) {
    hostsim::Say(what + ": returned " + std::to_string(o.result));
    return true;
  }
  if (o.exceptionCode == 0) {
    hostsim::Say(what + ": nothing to call");
    return false;
  }
  std::string line = what + ": structured exception " + Hex(o.exceptionCode) + " at " + Hex(o.exceptionAddress);
  if (o.exceptionCode == hostsim::SeExceptionCode)
    line += ", carrying " + Hex(o.innerCode) + " at " + Hex(o.innerAddress) +
            (hostsim::InPluginImage(o.innerAddress) ? " (in the plug-in)" : "");
  std::fprintf(stderr, "hostsim: %s\n", line.c_str());
  return false;
}

struct Options {
  std::string dll, answers, data, previewDir;
  bool chooseFirst = false, quiet = false, batch = false, preview = false, undo = false;
  double warnChange = 50;
  std::string undoWarehouse;                    // "" = that of the last run
  std::vector<uint16_t> commands;
  std::vector<std::string> boxes;               // replace the answers file's "box" keys
  std::vector<std::function<void()>> settings;  // applied after the answers file
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    auto number = [&](long& out) {
      const char* v = value();
      if (!v) return false;
      char* end;
      out = std::strtol(v, &end, 0);
      return *v && !*end;
    };
    long n = 0;
    if (a == "--dll" || a == "--answers" || a == "--data" || a == "--build-date" || a == "--box" ||
        a == "--preview-dir") {
      const char* v = value();
      if (!v) return false;
      std::string s = v;
      if (a == "--dll") o.dll = s;
      if (a == "--box") o.boxes.push_back(s);
      if (a == "--answers") o.answers = s;
      if (a == "--data") o.data = s;
      if (a == "--preview-dir") o.previewDir = s;
      if (a == "--build-date") o.settings.push_back([s] { hostsim::buildDate = s; });
    } else if (a == "--choose") {
      o.chooseFirst = true;
    } else if (a == "--quiet") {
      o.quiet = true;
    } else if (a == "--batch") {
      o.batch = true;
    } else if (a == "--color") {
      hostsim::colorCodes = true;
    } else if (a == "--undo") {
      o.undo = true;
      if (i + 1 < argc && argv[i + 1][0] != '-') {
        o.undoWarehouse = argv[++i];
        if (o.undoWarehouse.find_first_not_of("0123456789") != std::string::npos) return false;
      }
    } else if (a == "--keep" && number(n) && n >= 1) {
      o.settings.push_back([n] { hostsim::backupsKept = static_cast<int>(n); });
    } else if (a == "--preview") {
      o.preview = true;
    } else if (a == "--warn-change") {
      const char* v = value();
      char* end = nullptr;
      o.warnChange = v ? std::strtod(v, &end) : -1;
      if (!v || !*v || *end || !(o.warnChange >= 0) || o.warnChange > 1e9) return false;
    } else if (a == "--no-descriptor") {
      o.settings.push_back([] { hostsim::descriptorConfig.present = false; });
    } else if (a == "--command" && number(n)) {
      o.commands.push_back(static_cast<uint16_t>(n));
    } else if (a == "--capability" && number(n)) {
      o.settings.push_back([n] { hostsim::capabilityBits = static_cast<uint32_t>(n); });
    } else if (a == "--record-length" && number(n)) {
      o.settings.push_back([n] { hostsim::descriptorConfig.recordLength = static_cast<int16_t>(n); });
    } else if (a == "--variant" && number(n)) {
      o.settings.push_back([n] { hostsim::descriptorConfig.variant = static_cast<int16_t>(n); });
    } else if (a == "--missing" && number(n)) {
      o.settings.push_back([n] { hostsim::missingServices.insert(static_cast<uint32_t>(n)); });
    } else if (a == "--notice" && number(n)) {
      o.settings.push_back([n] { hostsim::noticeFlagAnswer = static_cast<int16_t>(n); });
    } else {
      return false;
    }
  }
  return !(o.undo && o.preview);  // a preview takes nothing back
}

// --undo: takes the run back or says on stderr why not.
int Undo(const Options& o) {
  std::string message;
  bool done = hostsim::UndoLastRun(o.undoWarehouse, message);
  while (!message.empty() && message.back() == '\n') message.pop_back();
  std::fprintf(done ? stdout : stderr, "hostsim: %s\n", message.c_str());
  return done ? ExitDone : ExitRefused;
}

// The message box answers of the answers file ("box", in order), or those of the
// command line instead; false after a message when one is no answer.
bool SetBoxAnswers(const Options& o) {
  std::string error;
  hostsim::ClearBoxAnswers();
  for (const std::string& v : o.boxes.empty() ? hostsim::Answers("box") : o.boxes)
    if (!hostsim::AddBoxAnswers(v, error)) {
      std::fprintf(stderr, "hostsim: %s\n", error.c_str());
      return false;
    }
  return true;
}

// A key pressed at the console since the last check (the keys are taken, so one press
// stops one reading).
bool ConsoleKeyPressed() {
  if (!_kbhit()) return false;
  while (_kbhit()) _getch();
  return true;
}

// The interruption check listens to the keyboard when standard input is a console,
// asking it at most every ConsoleAskInterval (console_pace.h).
void ListenToTheKeyboard() {
  DWORD mode;
  if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) return;
  hostsim::consoleKeyPoll = ConsoleKeyPressed;
  hostsim::keyPressed = hostsim::PacedKeyPressed;
}

// A path as the system makes it whole from the current folder; the path itself when
// it cannot.
std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

// A line of the preview, shown even with --quiet (the preview is what was asked for).
void PrintPreviewLine(const std::string& line) {
  if (hostsim::writeLine) return hostsim::writeLine(line);
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Makes the preview's folder and copies the data folder there; false after a message.
bool StartPreview(const Options& o, const std::string& dataFull, std::string& scratch) {
  std::string error;
  if (!hostsim::preview::MakeScratchFolder(o.previewDir.empty() ? "" : FullPath(o.previewDir), dataFull, scratch,
                                            error) ||
      !hostsim::preview::CopyFolder(dataFull, scratch, error)) {
    std::fprintf(stderr, "hostsim: %s\n", error.c_str());
    return false;
  }
  std::printf("Preview: the run goes to a copy of %s in %s\n", dataFull.c_str(), scratch.c_str());
  std::fflush(stdout);
  return true;
}

// Shows what the run did to the copy and writes the pages: ExitUsage when a page could
// not be written, ExitPreviewWarnings when it warns, else ExitDone.
int FinishPreview(const Options& o, const std::string& dataFull, const std::string& scratch) {
  hostsim::preview::Preview p = hostsim::preview::CollectPreview(dataFull, scratch, o.warnChange);
  PrintPreviewLine("");
  std::string error;
  bool written = hostsim::preview::PresentPreview(p, PrintPreviewLine, error);
  std::size_t warnings = hostsim::preview::WarningCount(p.goods);
  if (warnings)
    PrintPreviewLine(std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") + ": exit code 5");
  if (!written) {
    std::fprintf(stderr, "hostsim: %s\n", error.c_str());
    return ExitUsage;
  }
  return warnings ? ExitPreviewWarnings : ExitDone;
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 bytes and "\n" exactly as written
  hostsim::ResetHostSim();
  Options o;
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    std::fputs(hostsim::AnswerKeysHelp().c_str(), stdout);
    std::fputs(kExitCodes, stdout);
    return ExitDone;
  }
  if (!Parse(argc, argv, o)) {
    std::fputs(kUsage, stderr);
    return ExitUsage;
  }
  if (!o.answers.empty()) {
    std::string error;
    if (!hostsim::LoadAnswers(o.answers, error)) {
      std::fprintf(stderr, "hostsim: %s\n", error.c_str());
      return ExitUsage;
    }
  }
  hostsim::ApplyAnswers();
  for (auto& apply : o.settings) apply();
  if (!SetBoxAnswers(o)) return ExitUsage;
  std::string data = o.data.empty() ? "." : o.data;
  DWORD folder = GetFileAttributesA(data.c_str());
  if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY)) {
    std::fprintf(stderr, "hostsim: the data folder %s does not exist\n", data.c_str());
    return ExitUsage;
  }
  // The paths named at the start are the starting folder's; then the data folder (or
  // the preview's copy of it) becomes the working folder, where the run's own paths go.
  std::string dataFull = FullPath(data);
  std::string dll = FullPath(o.dll.empty() ? NextToProgram("PRZECENA.DLL") : o.dll);
  std::string workFolder = dataFull;
  if (o.preview && !StartPreview(o, dataFull, workFolder)) return ExitUsage;
  if (!SetCurrentDirectoryA(workFolder.c_str())) {
    std::fprintf(stderr, "hostsim: cannot make %s the working folder\n", workFolder.c_str());
    return ExitUsage;
  }
  hostsim::dataFolder = std::string(1, '.');
  if (o.undo) return Undo(o);
  ListenToTheKeyboard();
  hostsim::AnswerAtConsoleOrFail(o.batch, ExitUsage);
  for (const std::string& v : hostsim::Answers("choose")) {
    if (v == "yes") o.chooseFirst = true;
    else o.commands.push_back(static_cast<uint16_t>(std::strtol(v.c_str(), nullptr, 0)));
  }
  if (o.preview && o.commands.empty()) o.chooseFirst = true;  // a preview is of a run
  hostsim::echo = !o.quiet;
  hostsim::WriteLinesToConsoleIfThere();

  hostsim::Say("Dalvenor (host stand-in): loading " + dll);
  if (!hostsim::LoadPluginLibrary(dll.c_str())) {
    std::fprintf(stderr, "hostsim: cannot load %s, or it has no export of ordinal %u\n", dll.c_str(),
                 hostsim::PluginEntryOrdinal);
    return ExitUsage;
  }
  if (!hostsim::AnswerPluginBoxes(hostsim::PluginModule()))
    hostsim::Say("(the plug-in imports no MessageBoxA: its system message boxes are not answered here)");
  char name[256] = {};
  hostsim::CallOutcome load = hostsim::LoadCall(name);
  bool clean = Report("load call", load);
  if (load.completed) hostsim::Say("plug-in name: " + hostsim::ShownText(std::string(name, strnlen(name, 255))));
  ShowMenu();

  if (o.chooseFirst && !hostsim::menuInne.empty()) o.commands.insert(o.commands.begin(), hostsim::menuInne[0].entry.command);
  for (uint16_t command : o.commands) {
    hostsim::Say("choosing command " + std::to_string(command));
    clean = Report("command " + std::to_string(command), hostsim::ChooseMenuCommand(command)) && clean;
  }
  // Nothing chosen by the options or answers: the person at a console works the menu,
  // as often as they like, until they leave it with Esc.
  while (o.commands.empty() && load.completed && hostsim::consoleShows.menu) {
    std::vector<std::string> titles;
    for (const hostsim::MenuCommand& c : hostsim::menuInne) titles.push_back(c.title);
    int chosen = hostsim::consoleShows.menu(titles);
    if (chosen < 0) break;
    uint16_t command = hostsim::menuInne[chosen].entry.command;
    hostsim::Say("choosing command " + std::to_string(command) + " (at the console)");
    clean = Report("command " + std::to_string(command), hostsim::ChooseMenuCommand(command)) && clean;
  }

  clean = Report("unload call", hostsim::UnloadCall()) && clean;
  ShowMenu();
  hostsim::FreePluginLibrary();
  hostsim::Say("plug-in freed");
  if (!clean) return ExitException;
  if (load.result != 0) return ExitRefused;
  if (o.preview) {
    int previewed = FinishPreview(o, dataFull, workFolder);
    if (previewed != ExitDone) return previewed;
  }
  return hostsim::failedChangesShown > 0 ? ExitFailedChanges : ExitDone;
}
