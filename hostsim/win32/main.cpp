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

#include <cerrno>
#include <cstdint>
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
    "                        (either way; default 50)\n";

// After the usage in --help, before the keys of the answers file (printed from its table).
const char* const kAnswersHead =
    "\n"
    "The answers file (UTF-8), one \"key = value\" a line, '#' starts a comment:\n";

const char* const kExitCodes =
    "\n"
    "Exit codes (each but 0 with one line on standard error that says why, also with\n"
    "--quiet):\n"
    "  0 done\n"
    "  1 the plug-in refused to load (the line is its refusal)\n"
    "  2 usage, answers or load error; also a command that is not in the menu \"Inne\"\n"
    "  3 a call left the plug-in by an exception\n"
    "  4 done, but the summary reports failed price changes (see INFO.TXT)\n"
    "  5 a preview with warnings\n"
    "  6 a run did nothing: the price file did not open, or is not in Mazovia with\n"
    "    names copied, or the plug-in read no entry from it; or the warehouse has no\n"
    "    goods file, or one that cannot be opened for update\n"
    "  3 before 1, 1 before 2, 2 before 6, 6 before 5, 5 before 4; a usage error ends\n"
    "  the program before anything runs.\n"
    "With --undo: 0 put back, 1 refused (the line says why), 2 usage.\n"
    "With --history: 0 listed, 1 the index cannot be read (the line says why).\n";

// --help: the options (the answers file's key-like ones from its table), the keys of
// the answers file, the exit codes.
void PrintHelp() {
  std::fputs(kUsage, stdout);
  std::fputs(hostsim::AnswerKeyOptionsHelp().c_str(), stdout);
  std::fputs(kUsageRest, stdout);
  std::fputs(kAnswersHead, stdout);
  std::fputs(hostsim::AnswerKeysHelp().c_str(), stdout);
  std::fputs(kExitCodes, stdout);
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

// Complains and gives the exit code: the one line that says why the program ends so.
int EndWith(int code, const std::string& why) {
  std::fflush(stdout);
  Complain(why);
  return code;
}

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

// What went wrong in the session's calls, for the line of the exit code.
struct CallTrouble {
  std::vector<std::string> exceptions;  // one line per call that an exception left
  std::string unknownCommand;           // the first command chosen that the menu lacks
};

// One line about a call into the plug-in; true when it returned. A call that an
// exception left, or a command that the menu lacks, is noted in trouble.
bool Report(const std::string& what, const hostsim::CallOutcome& o, CallTrouble& trouble) {
  if (o.completed) {
    hostsim::Say(what + ": returned " + std::to_string(o.result));
    return true;
  }
  if (o.exceptionCode == 0) {
    hostsim::Say(what + ": not in the menu \"Inne\", nothing to call");
    if (trouble.unknownCommand.empty()) trouble.unknownCommand = what + " is not in the menu \"Inne\"";
    return true;
  }
  std::string line = what + ": structured exception " + Hex(o.exceptionCode) + " at " + Hex(o.exceptionAddress);
  if (o.exceptionCode == hostsim::SeExceptionCode)
    line += ", carrying " + Hex(o.innerCode) + " at " + Hex(o.innerAddress) +
            (hostsim::InPluginImage(o.innerAddress) ? " (in the plug-in)" : "");
  hostsim::Say(line);
  trouble.exceptions.push_back(line);
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

// Reads the options into o; false with error naming the option and what is wrong with
// its value (or that there is no such option).
bool Parse(int argc, char** argv, Options& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    // The option's value into v; false when none follows.
    auto value = [&](std::string& v) {
      if (i + 1 >= argc) {
        error = a + ": no value follows";
        return false;
      }
      v = argv[++i];
      return true;
    };
    // The option's value as a whole number from lo to hi (C's forms: 10, 0x0A, 012);
    // false when none follows or it is not one, what naming what it must be.
    auto number = [&](long long& n, long long lo, long long hi, const std::string& what) {
      std::string v;
      if (!value(v)) return false;
      char* end = nullptr;
      errno = 0;
      n = std::strtoll(v.c_str(), &end, 0);
      if (v.empty() || *end || errno == ERANGE || n < lo || n > hi) {
        error = a + ": \"" + v + "\" is not " + what;
        return false;
      }
      return true;
    };
    long long n = 0;
    std::string v;
    if (a == "--dll" || a == "--answers" || a == "--data" || a == "--build-date" || a == "--box" ||
        a == "--preview-dir") {
      if (!value(v)) return false;
      if (a == "--dll") o.dll = v;
      if (a == "--box") o.boxes.push_back(v);
      if (a == "--answers") o.answers = v;
      if (a == "--data") o.data = v;
      if (a == "--preview-dir") o.previewDir = v;
      if (a == "--build-date") o.settings.push_back([v] { hostsim::buildDate = v; });
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
        if (o.undoWarehouse.empty() || o.undoWarehouse.find_first_not_of("0123456789") != std::string::npos) {
          error = a + ": \"" + o.undoWarehouse + "\" is not a warehouse number";
          return false;
        }
      }
    } else if (a == "--history") {
      o.history = true;
    } else if (a == "--keep") {
      if (!number(n, 1, INT32_MAX, "a number of runs from 1 up")) return false;
      o.settings.push_back([n] { hostsim::backupsKept = static_cast<int>(n); });
    } else if (a == "--preview") {
      o.preview = true;
    } else if (a == "--warn-change") {
      if (!value(v)) return false;
      char* end = nullptr;
      o.warnChange = std::strtod(v.c_str(), &end);
      if (v.empty() || *end || !(o.warnChange >= 0) || o.warnChange > 1e9) {
        error = a + ": \"" + v + "\" is not a percentage from 0 up";
        return false;
      }
    } else if (a == "--no-descriptor") {
      o.settings.push_back([] { hostsim::descriptorConfig.present = false; });
    } else if (a == "--command") {
      if (!number(n, 0, 65535, "a command number (0 to 65535)")) return false;
      o.commands.push_back(static_cast<uint16_t>(n));
    } else if (a == "--capability") {
      if (!number(n, INT32_MIN, UINT32_MAX, "a number of 32 bits")) return false;
      o.settings.push_back([n] { hostsim::capabilityBits = static_cast<uint32_t>(n); });
    } else if (a == "--record-length" || a == "--variant" || a == "--notice") {
      if (!number(n, -32768, 32767, "a number from -32768 to 32767")) return false;
      auto value16 = static_cast<int16_t>(n);
      if (a == "--record-length") o.settings.push_back([value16] { hostsim::descriptorConfig.recordLength = value16; });
      if (a == "--variant") o.settings.push_back([value16] { hostsim::descriptorConfig.variant = value16; });
      if (a == "--notice") o.settings.push_back([value16] { hostsim::noticeFlagAnswer = value16; });
    } else if (a == "--missing") {
      if (!number(n, 0, 65535, "a service ordinal (0 to 65535)")) return false;
      o.settings.push_back([n] { hostsim::missingServices.insert(static_cast<uint32_t>(n)); });
    } else {
      error = a + ": no such option";
      return false;
    }
  }
  if (o.undo && o.preview) error = "--undo and --preview do not go together (a preview takes nothing back)";
  if (o.history && (o.undo || o.preview)) error = "--history goes with neither --undo nor --preview";
  return error.empty();
}

// --undo: takes the run back or says on stderr why not (in one line; the details that
// may follow it, on stdout).
int Undo(const Options& o) {
  std::string message;
  bool done = hostsim::UndoLastRun(o.undoWarehouse, message);
  while (!message.empty() && message.back() == '\n') message.pop_back();
  if (done) {
    hostsim::PrintUtf8(stdout, "hostsim: " + message + "\n");
    return ExitDone;
  }
  std::size_t end = message.find('\n');
  if (end != std::string::npos) hostsim::PrintUtf8(stdout, message.substr(end + 1) + "\n");
  return EndWith(ExitRefused, message.substr(0, end));
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
// not be written (after its line), ExitPreviewWarnings when it warns (why then the line
// that says so), else ExitDone.
int FinishPreview(const Options& o, const std::string& dataFull, const std::string& scratch, std::string& why) {
  hostsim::preview::Preview p = hostsim::preview::CollectPreview(dataFull, scratch, o.warnChange);
  PrintPreviewLine("");
  std::string error;
  bool written = hostsim::preview::PresentPreview(p, PrintPreviewLine, error);
  if (!written) return EndWith(ExitUsage, error);
  std::size_t warnings = hostsim::preview::PreviewWarningCount(p);
  if (!warnings) return ExitDone;
  // The code the program ends with: a run that did nothing says so before the warnings.
  int code = hostsim::runsThatDidNothing.empty() ? ExitPreviewWarnings : ExitDidNothing;
  PrintPreviewLine("Ostrzeżenia: " + std::to_string(warnings) + ", kod wyjścia " + std::to_string(code));
  why = "the preview has " + std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
        "; preview.html in " + scratch + " lists them";
  return ExitPreviewWarnings;
}

// The line of exit code 1: the plug-in's refusal as it showed it (52030).
std::string RefusalLine() {
  std::string text;
  for (const hostsim::Shown& shown : hostsim::Transcript())
    if (shown.service == "errorMessage") text = shown.text;
  for (char& c : text)
    if (c == '\n') c = ' ';
  return text.empty() ? "the plug-in refused to load without a message (its load call returned -1)"
                      : "the plug-in refused to load: " + text;
}

// The line of exit code 3: the first call that an exception left.
std::string ExceptionLine(const std::vector<std::string>& exceptions) {
  std::size_t others = exceptions.size() - 1;
  std::string more = others ? " (and " + std::to_string(others) + (others == 1 ? " more call)" : " more calls)") : "";
  return exceptions.front() + more;
}

// The line of exit code 6: why the run did nothing, or the first of them did.
std::string NothingDoneLine() {
  const std::vector<std::string>& runs = hostsim::runsThatDidNothing;
  if (runs.size() == 1) return "the run did nothing: " + runs.front();
  return std::to_string(runs.size()) + " runs did nothing; the first: " + runs.front();
}

// The line of exit code 4; the reports are in folder (shown when it is not the data folder).
std::string FailedChangesLine(const std::string& folder, const std::string& dataFull) {
  int n = hostsim::failedChangesShown;
  return std::to_string(n) + (n == 1 ? " price change failed" : " price changes failed") + "; see INFO.TXT" +
         (folder == dataFull ? "" : " in " + folder);
}

}  // namespace

int Main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 bytes and "\n" exactly as written
  hostsim::ResetHostSim();
  Options o;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--help") == 0) {
      PrintHelp();
      return ExitDone;
    }
  std::string usageError;
  if (!Parse(argc, argv, o, usageError)) return EndWith(ExitUsage, usageError + "; hostsim.exe --help lists the options");
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
  CallTrouble trouble;
  Report("load call", load, trouble);
  if (load.completed) hostsim::Say("plug-in name: " + hostsim::ShownText(std::string(name, strnlen(name, 255))));
  ShowMenu();

  if (o.chooseFirst && !hostsim::menuInne.empty()) o.commands.insert(o.commands.begin(), hostsim::menuInne[0].entry.command);
  for (uint16_t command : o.commands) {
    hostsim::Say("choosing command " + std::to_string(command));
    Report("command " + std::to_string(command), hostsim::ChooseMenuCommand(command), trouble);
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
    Report("command " + std::to_string(command), hostsim::ChooseMenuCommand(command), trouble);
  }

  Report("unload call", hostsim::UnloadCall(), trouble);
  ShowMenu();
  hostsim::FreePluginLibrary();
  hostsim::Say("plug-in freed");
  if (!trouble.exceptions.empty()) return EndWith(ExitException, ExceptionLine(trouble.exceptions));
  if (load.result != 0) return EndWith(ExitRefused, RefusalLine());
  if (!trouble.unknownCommand.empty())
    return EndWith(ExitUsage, trouble.unknownCommand + " (--command, or the answers key \"choose\")");
  std::string warned;
  int previewed = o.preview ? FinishPreview(o, dataFull, workFolder, warned) : ExitDone;
  if (previewed == ExitUsage) return ExitUsage;
  if (!hostsim::runsThatDidNothing.empty()) return EndWith(ExitDidNothing, NothingDoneLine());
  if (previewed == ExitPreviewWarnings) return EndWith(ExitPreviewWarnings, warned);
  if (hostsim::failedChangesShown > 0) return EndWith(ExitFailedChanges, FailedChangesLine(workFolder, dataFull));
  return ExitDone;
}

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments = hostsim::Utf8Arguments(argc, argv);
  return Main(argc, hostsim::ArgumentPointers(arguments).data());
}
