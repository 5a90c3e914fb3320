#include "hostsim/player/answer_keys.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "hostsim/player/dialog_actions.h"
#include "hostsim/player/failure_plan.h"

namespace hostsim {
namespace {

enum ValueForm {
  FormNumber,     // an integer: decimal, or hexadecimal after 0x
  FormDecimal,    // a decimal integer, negative ones included
  FormCount,      // an integer of 1 or more
  FormAmount,     // an integer of 0 or more
  FormText,       // anything, the empty text included
  FormNone,       // the word "none"
  FormChoose,     // "yes" or a command number
  FormBox,        // a message box answer
  FormVat,        // a VAT code and its percentage
  FormDialog,     // dialog actions
  FormFail,       // a failure plan: ordinal, call, "on", the conversion's variant
};

struct AnswerKey {
  const char* key;
  ValueForm form;
  const char* value;    // the value's form as --help and the errors show it
  const char* meaning;  // what the key answers
  const char* option = nullptr;  // hostsim.exe's option that answers the same, with its value; null: none
};

constexpr AnswerKey Keys[] = {
    {"capability", FormNumber, "N", "the capability bits the host reports (default 1)", "--capability N"},
    {"build date", FormText, "Mmm dd yyyy", "the host's build date (default Mar 14 2011)",
     "--build-date \"Mmm dd yyyy\""},
    {"descriptor", FormNone, "none", "the host has no goods table descriptor", "--no-descriptor"},
    {"record length", FormNumber, "N", "the descriptor's value at offset 6 (default 769)", "--record-length N"},
    {"variant", FormNumber, "N", "the descriptor's value at offset 12 (default 720)", "--variant N"},
    {"notice", FormNumber, "N", "what the first-run notice dialog sets into its flag", "--notice N"},
    {"choose", FormChoose, "yes | N", "choose the plug-in's command, or command number N"},
    {"box", FormBox, "ok | cancel | abort | retry | ignore | yes | no | N",
     "the answer to the plug-in's next system message box (one per box, in order)", "--box ANSWER"},
    {"dialog", FormDialog, "ACTION; ...",
     "one showing of the options dialog: type TEXT, choose LETTER, tick, clear, then F12, F3, leave "
     "or answer N (the dialog gives command N)"},
    {"choose_file", FormText, "PATH | -1", "one answer of the file chooser (F3); -1 leaves it"},
    {"warehouse", FormDecimal, "N", "one answer of the warehouse choice (default: the one offered)"},
    {"vat", FormVat, "CODE PERCENT", "a rate of the host's VAT table (default 1: 23, 2: 8, 3: 5, 4: 0)"},
    {"fail_store", FormCount, "RECORD", "the store of this goods record (from 1) is not carried out"},
    {"fail_alloc", FormCount, "K", "the K-th memory allocation fails"},
    {"fail_alloc_from", FormCount, "K", "the K-th memory allocation and all later ones fail"},
    {"memory_budget", FormAmount, "BYTES", "the host's memory for the plug-in"},
    {"stop_after", FormAmount, "N", "the price file reading is stopped after N lines"},
    {"fail", FormFail, "ORDINAL CALL [on] [infinity | minus infinity]",
     "call CALL (from 1) of service ORDINAL fails (on: every later one too):"},
};

struct BoxName {
  const char* name;
  int id;
};
// The system's answer numbers (IDOK, IDCANCEL, ...).
constexpr BoxName BoxNames[] = {{"ok", 1},    {"cancel", 2}, {"abort", 3}, {"retry", 4},
                                {"ignore", 5}, {"yes", 6},    {"no", 7}};

// text as a whole is an integer (base 0: decimal, 0x hexadecimal, leading 0 octal).
bool WholeInteger(const std::string& text, long& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  out = std::strtol(text.c_str(), &end, 0);
  return *end == '\0';
}

bool SameLetters(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return true;
}

// Each ';'-separated action is one the dialog script knows, with its argument.
bool CheckDialog(const std::string& actions, std::string& error) {
  for (const DialogAction& a : ParseDialogActions(actions))
    if (a.kind == DialogActionKind::Invalid) {
      error = a.error;
      return false;
    }
  return true;
}

// "CODE PERCENT": an integer and a finite number, one blank or more between, nothing after.
bool CheckVat(const std::string& value) {
  char* end = nullptr;
  std::strtol(value.c_str(), &end, 10);
  if (end == value.c_str() || (*end != ' ' && *end != '\t')) return false;
  const char* percent = end;
  double p = std::strtod(percent, &end);
  if (end == percent || !std::isfinite(p)) return false;
  while (*end == ' ' || *end == '\t') ++end;
  return *end == '\0';
}

bool HasForm(const AnswerKey& k, const std::string& value, std::string& error) {
  long n = 0;
  int id = 0;
  switch (k.form) {
    case FormNumber: return WholeInteger(value, n);
    case FormDecimal: return value.find_first_not_of("-0123456789") == std::string::npos &&
                             value.find_first_of("0123456789") != std::string::npos && WholeInteger(value, n);
    case FormCount: return WholeInteger(value, n) && n >= 1;
    case FormAmount: return WholeInteger(value, n) && n >= 0;
    case FormText: return true;
    case FormNone: return value == "none";
    case FormChoose: return value == "yes" || WholeInteger(value, n);
    case FormBox: return BoxAnswerId(value, id);
    case FormVat: return CheckVat(value);
    case FormDialog: return CheckDialog(value, error);
    case FormFail: {
      FailingService service;
      ServicePlan plan;
      return ParseFailAnswer(value.c_str(), service, plan);
    }
  }
  return false;
}

// One entry of a help text: left, then meaning from column width on (on a line of its
// own when left is too long).
std::string HelpLine(const std::string& left, const char* meaning, std::size_t width) {
  std::string line = left;
  if (line.size() < width) line.resize(width, ' ');
  else line += "\n" + std::string(width, ' ');
  return line + meaning + "\n";
}

}  // namespace

bool CheckAnswer(const std::string& key, const std::string& value, std::string& error) {
  for (const AnswerKey& k : Keys) {
    if (key != k.key) continue;
    error.clear();
    if (HasForm(k, value, error)) return true;
    if (error.empty()) error = "\"" + value + "\" is not of the form " + k.value;
    error = key + ": " + error;
    return false;
  }
  error = "unknown key \"" + key + "\" (hostsim.exe --help lists the keys)";
  return false;
}

std::string AnswerKeysHelp() {
  std::string out;
  for (const AnswerKey& k : Keys) {
    out += HelpLine(std::string("  ") + k.key + " = " + k.value, k.meaning, 24);
    if (k.form != FormFail) continue;
    for (FailingService service : FailingServices)
      out += std::string(26, ' ') + std::to_string(OrdinalOf(service)) + " " + NameOf(service) + ": " +
             FailureOf(service) + "\n";
  }
  return out;
}

std::string AnswerKeyOptionsHelp() {
  std::string out;
  for (const AnswerKey& k : Keys)
    if (k.option) out += HelpLine(std::string("  ") + k.option, k.meaning, 24);
  return out;
}

bool BoxAnswerId(const std::string& text, int& id) {
  for (const BoxName& b : BoxNames)
    if (SameLetters(text, b.name)) {
      id = b.id;
      return true;
    }
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end) return false;
  id = static_cast<int>(n);
  return true;
}

std::string BoxAnswerName(int id) {
  for (const BoxName& b : BoxNames)
    if (b.id == id) return b.name;
  return std::to_string(id);
}

}  // namespace hostsim
