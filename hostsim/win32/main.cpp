// hostsim.exe: the host stand-in as a program. Loads a plug-in, makes its load call,
// shows what it shows and its menu "Inne", chooses a command if asked, makes the
// unload call and frees the library. Everything shown goes to standard output in
// UTF-8, or through the wide-character output when that is a console. With --undo it
// loads nothing and takes the last run of a warehouse back (goods_undo.h). Its
// arguments come as the system has them (wmain) and every path is UTF-8, opened through
// the wide-character functions; its messages print right through a pipe and at the
// console (console_text.h).
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
#include "hostsim/base/utf8_path.h"
#include "hostsim/goods/goods_backup.h"
#include "hostsim/goods/goods_undo.h"
#include "hostsim/goods/run_history.h"
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
#include "hostsim/win32/console_text.h"
#include "hostsim/win32/console_win32.h"
#include "hostsim/win32/tick_clock.h"
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
    "  --command N           choose command number N (may be repeated)\n";

// After the options that answer as keys of the answers file do (printed from its table):
const char* const kUsageRest =
    "  --missing ORD         the host lacks this service (may be repeated)\n"
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
    "  --history             load nothing: list the runs kept in kopie/, newest first\n"
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
    "price changes, 5 a preview with warnings, 6 a run did nothing (the price file did\n"
    "not open, or is not in Mazovia with names copied); 2, 3 and 1 before 6, 6 before\n"
    "5, 5 before 4.\n"
    "With --undo: 0 put back, 1 refused (the line says why), 2 usage.\n"
    "With --history: 0 listed, 1 the index cannot be read (the line says why).\n";

// The usage: the options, the answers file's key-like ones from its table.
void PrintUsage(std::FILE* to) {
  std::fputs(kUsage, to);
  std::fputs(hostsim::AnswerKeyOptionsHelp().c_str(), to);
  std::fputs(kUsageRest, to);
}

// With --undo: ExitDone, or ExitRefused when the run is not taken back.
enum ExitCode {
  ExitDone = 0,
  ExitRefused = 1,
  ExitUsage = 2,
  ExitException = 3,
  ExitFailedChanges = 4,
  ExitPreviewWarnings = 5,
  ExitDidNothing = 6
};

// One line of the program's own on standard error: "hostsim: " and the UTF-8 text.
void Complain(const std::string& text) { hostsim::PrintUtf8(stderr, "hostsim: " + text + "\n"); }

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
  return text;
}

// The folder of hostsim.exe joined with name.
std::string NextToProgram(const char* name) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::string p = hostsim::Utf8FromWide(std::wstring_view(path, n < MAX_PATH ? n : 0));
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
  Complain(line);
  return false;
}

struct Options {
  std::string dll, answers, data, previewDir;
  bool chooseFirst = false, quiet = false, batch = false, preview = false, undo = false, history = false;
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
    } else if (a == "--history") {
      o.history = true;
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
  return !(o.undo && o.preview) && !(o.history && (o.undo || o.preview));  // a preview takes nothing back
}

// --undo: takes the run back or says on stderr why not.
int Undo(const Options& o) {
  std::string message;
  bool done = hostsim::UndoLastRun(o.undoWarehouse, message);
  while (!message.empty() && message.back() == '\n') message.pop_back();
  hostsim::PrintUtf8(done ? stdout : stderr, "hostsim: " + message + "\n");
  return done ? ExitDone : ExitRefused;
}

// --history: the kept runs on stdout, or on stderr why the index cannot be read.
int History() {
  std::string text, error;
  if (!hostsim::RunHistory(text, error)) {
    std::fprintf(stderr, "hostsim: cannot list the runs: %s\n", error.c_str());
    return ExitRefused;
  }
  std::fputs(text.c_str(), stdout);
  return ExitDone;
}

// The message box answers of the answers file ("box", in order), or those of the
// command line instead; false after a message when one is no answer.
bool SetBoxAnswers(const Options& o) {
  std::string error;
  hostsim::ClearBoxAnswers();
  for (const std::string& v : o.boxes.empty() ? hostsim::Answers("box") : o.boxes)
    if (!hostsim::AddBoxAnswers(v, error)) {
      Complain(error);
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
  hostsim::consoleClock = hostsim::TickMilliseconds;
  hostsim::keyPressed = hostsim::PacedKeyPressed;
}

// A path as the system makes it whole from the current folder; the path itself when
// it cannot.
std::string FullPath(const std::string& path) {
  wchar_t full[MAX_PATH];
  DWORD n = GetFullPathNameW(hostsim::Utf8Path(path).c_str(), MAX_PATH, full, nullptr);
  return n > 0 && n < MAX_PATH ? hostsim::Utf8FromWide(std::wstring_view(full, n)) : path;
}

// A line of the preview, shown even with --quiet (the preview is what was asked for).
void PrintPreviewLine(const std::string& line) {
  if (hostsim::writeLine) return hostsim::writeLine(line);
  hostsim::PrintUtf8(stdout, line + "\n");
}

// Makes the preview's folder and copies the data folder there; false after a message.
bool StartPreview(const Options& o, const std::string& dataFull, std::string& scratch) {
  std::string error;
  if (!hostsim::preview::MakeScratchFolder(o.previewDir.empty() ? "" : FullPath(o.previewDir), dataFull, scratch,
                                            error) ||
      !hostsim::preview::CopyFolder(dataFull, scratch, error)) {
    Complain(error);
    return false;
  }
  hostsim::PrintUtf8(stdout, "Podgląd: przebieg pójdzie na kopię folderu " + dataFull + " w " + scratch + "\n");
  return true;
}

// Shows what the run did to the copy and writes the pages: ExitUsage when a page could
// not be written, ExitPreviewWarnings when it warns, else ExitDone.
int FinishPreview(const Options& o, const std::string& dataFull, const std::string& scratch) {
  hostsim::preview::Preview p = hostsim::preview::CollectPreview(dataFull, scratch, o.warnChange);
  PrintPreviewLine("");
  std::string error;
  bool written = hostsim::preview::PresentPreview(p, PrintPreviewLine, error);
  if (!written) {
    Complain(error);
    return ExitUsage;
  }
  std::size_t warnings = hostsim::preview::PreviewWarningCount(p);
  if (!warnings) return ExitDone;
  // The code the program ends with: a run that did nothing says so before the warnings.
  int code = hostsim::runsThatDidNothing > 0 ? ExitDidNothing : ExitPreviewWarnings;
  PrintPreviewLine("Ostrzeżenia: " + std::to_string(warnings) + ", kod wyjścia " + std::to_string(code));
  return ExitPreviewWarnings;
}

}  // namespace

int Main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 bytes and "\n" exactly as written
  hostsim::ResetHostSim();
  Options o;
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(stdout);
    std::fputs(hostsim::AnswerKeysHelp().c_str(), stdout);
    std::fputs(kExitCodes, stdout);
    return ExitDone;
  }
  if (!Parse(argc, argv, o)) {
    PrintUsage(stderr);
    return ExitUsage;
  }
  if (!o.answers.empty()) {
    std::string error;
    if (!hostsim::LoadAnswers(o.answers, error)) {
      Complain(error);
      return ExitUsage;
    }
  }
  hostsim::ApplyAnswers();
  for (auto& apply : o.settings) apply();
  if (!SetBoxAnswers(o)) return ExitUsage;
  std::string data = o.data.empty() ? "." : o.data;
  DWORD folder = GetFileAttributesW(hostsim::Utf8Path(data).c_str());
  if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY)) {
    Complain("the data folder " + data + " does not exist");
    return ExitUsage;
  }
  // The paths named at the start are the starting folder's; then the data folder (or
  // the preview's copy of it) becomes the working folder, where the run's own paths go.
  std::string dataFull = FullPath(data);
  std::string dll = FullPath(o.dll.empty() ? NextToProgram("PRZECENA.DLL") : o.dll);
  std::string workFolder = dataFull;
  if (o.preview && !StartPreview(o, dataFull, workFolder)) return ExitUsage;
  if (!SetCurrentDirectoryW(hostsim::Utf8Path(workFolder).c_str())) {
    Complain("cannot make " + workFolder + " the working folder");
    return ExitUsage;
  }
  hostsim::dataFolder = std::string(1, '.');
  if (o.undo) return Undo(o);
  if (o.history) return History();
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
    Complain("cannot load " + dll + ", or it has no export of ordinal " + std::to_string(hostsim::PluginEntryOrdinal));
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
  int previewed = o.preview ? FinishPreview(o, dataFull, workFolder) : ExitDone;
  if (previewed == ExitUsage) return ExitUsage;
  if (hostsim::runsThatDidNothing > 0) return ExitDidNothing;
  if (previewed != ExitDone) return previewed;
  return hostsim::failedChangesShown > 0 ? ExitFailedChanges : ExitDone;
}

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments = hostsim::Utf8Arguments(argc, argv);
  return Main(argc, hostsim::ArgumentPointers(arguments).data());
}
