#include <windows.h>

#include <cstdio>
#include <cstring>

#include "frame/binding/host_table.h"
#include "frame/lifecycle/lifecycle.h"
#include "frame/lifecycle/plugin_name.h"
#include "host/charsets.h"
#include "host/mazovia.h"
#include "host/services.h"

namespace {

constexpr auto kFormat = MzArray(
    "W module \x02%s\x01\nbrak wpisu \x02%s\x01\nWywołano z wtyczki \x02%s\x01.\n\n"
    "Błąd ten można zignorować lecz dalsza praca\n"
    "programu w tych warunkach może być niebezpieczna.\n\n"
    "Konieczna jest aktualizacja programu!");
constexpr auto kCaption = MzArray("POWAŻNY BŁĄD WTYCZKI");
constexpr auto kUnknownProgram = MzArray("<nieznany>");
constexpr UINT kBoxFlags = MB_ABORTRETRYIGNORE | MB_ICONERROR | MB_TASKMODAL;
static_assert(kBoxFlags == 0x2012);
constexpr DWORD kProgramNameLimit = 300;

// The file name of the host's program, at most kProgramNameLimit characters, always
// terminated; "<nieznany>" when the system gives none. Some systems leave a cut name
// unterminated, so the terminator is set here.
void ProgramName(char (&name)[kProgramNameLimit + 1]) {
  DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
  if (length == 0) {
    std::memcpy(name, kUnknownProgram.data(), kUnknownProgram.size());
    return;
  }
  name[length < kProgramNameLimit ? length : kProgramNameLimit] = 0;
}

// The plug-in's own conversion for a host without 52158, with that service's
// arguments: from set 1 (Mazovia) to set 3 (Windows-1250) it converts the Polish
// letters of `text` in place; any other request leaves the text as it is.
void HOST_CDECL ConvertPolishLetters(char* text, char*, int from, int to) {
  if (from != charsets::SetMazovia || to != charsets::SetWindows1250) return;
  for (char* c = text; *c; ++c) {
    int converted = charsets::MazoviaToWindows1250(static_cast<unsigned char>(*c));
    if (converted >= 0) *c = static_cast<char>(converted);
  }
}

// The entry of host service 52158, the one named convertCharset.
HostServiceEntry* ConversionEntry() {
  for (HostServiceEntry* e = HostServiceTable; e != HostServiceTableEnd; ++e)
    if (e->entryPoint == reinterpret_cast<void*>(&convertCharset)) return e;
  return nullptr;
}

// Converts a Mazovia text in place into the message box's character set through host
// service 52158. An unbound 52158 is bound here without a report (the report would
// need itself): to the host's function, or to ConvertPolishLetters when the host has
// none, so the host is asked once. A given-up 52158 is not called at all.
void ConvertForMessageBox(char* text) {
  HostServiceEntry* entry = ConversionEntry();
  if (!entry || entry->dead) {
    ConvertPolishLetters(text, text, charsets::SetMazovia, charsets::SetWindows1250);
    return;
  }
  if (entry->slot == entry->binder) {
    void* target = hostCallback ? reinterpret_cast<void*>(hostCallback(2, entry->ordinal)) : nullptr;
    entry->slot = target ? target : reinterpret_cast<void*>(&ConvertPolishLetters);
  }
  convertCharset(text, text, charsets::SetMazovia, charsets::SetWindows1250);
}

// Replaces every byte `from` of the zero-terminated text by `to`, in place.
void ReplaceByte(char* text, char from, char to) {
  for (char* c = text; *c; ++c)
    if (*c == from) *c = to;
}

}  // namespace

// Builds the report from the program's file name, the ordinal and the plug-in's name
// and shows it in the system's message box until the user answers other than Retry.
// Under Windows the highlight bytes become spaces and the texts are converted first.
extern "C" bool ReportMissingService(uint32_t ordinal) {
  char program[kProgramNameLimit + 1];
  ProgramName(program);
  char number[16];
  std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(ordinal));
  char message[kFormat.size() + sizeof program + sizeof number + PluginName.size()];
  std::snprintf(message, sizeof message, kFormat.data(), program, number, PluginName.data());
  char caption[kCaption.size()];
  std::memcpy(caption, kCaption.data(), sizeof caption);
  if (underWindows == 1) {
    ReplaceByte(message, '\x01', ' ');
    ReplaceByte(message, '\x02', ' ');
    ConvertForMessageBox(message);
    ConvertForMessageBox(caption);
  }
  for (;;) {
    int answer = MessageBoxA(nullptr, message, caption, kBoxFlags);
    if (answer == IDRETRY) continue;
    return answer == IDIGNORE;
  }
}
