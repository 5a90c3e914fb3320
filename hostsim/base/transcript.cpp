#include "hostsim/base/transcript.h"

#include <cstdio>

#include "hostsim/base/charset.h"
#include "hostsim/base/text.h"

namespace hostsim {

bool echo = false;
void (*writeLine)(const std::string& utf8Line) = nullptr;
bool colorCodes = false;

std::vector<Shown>& Transcript() {
  static std::vector<Shown> shown;
  return shown;
}

namespace {

// The text with each highlight byte replaced: 0x02 and 0x05 by begin, 0x01 by end.
std::string Highlighted(std::string_view mazovia, const char* begin, const char* end) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t i = 0; i <= mazovia.size(); ++i) {
    bool last = i == mazovia.size();
    char c = last ? 0 : mazovia[i];
    if (!last && c != 0x01 && c != 0x02 && c != 0x05) continue;
    out += MazoviaToUtf8(mazovia.substr(from, i - from));
    if (!last) out += c == 0x01 ? end : begin;
    from = i + 1;
  }
  return out;
}

// The line without its ANSI select-graphic-rendition codes.
std::string WithoutCodes(const std::string& line) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t esc; (esc = line.find("\x1b[", from)) != std::string::npos;) {
    std::size_t end = line.find('m', esc);
    if (end == std::string::npos) break;
    out.append(line, from, esc - from);
    from = end + 1;
  }
  return out.append(line, from);
}

}  // namespace

std::string ShownText(std::string_view mazovia) { return Highlighted(mazovia, "«", "»"); }

std::string TerminalText(std::string_view mazovia) { return Highlighted(mazovia, "\x1b[1;7m", "\x1b[0m"); }

void Say(const std::string& utf8Line) {
  if (!echo) return;
  if (writeLine) return writeLine(utf8Line);
  std::fputs((colorCodes ? utf8Line : WithoutCodes(utf8Line)).c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Show(const char* service, const char* title, const char* text, int mode) {
  std::string_view t = title ? title : "", x = text ? text : "";
  Transcript().push_back({service, ShownText(t), ShownText(x), mode});
  if (!echo) return;
  std::string head = "[" + std::string(service) + "]";
  if (!t.empty()) head += " " + TerminalText(t);
  if (mode != 0 && mode != 1) head += " (mode " + std::to_string(mode) + ")";
  Say(head);
  std::string body = TerminalText(x);
  if (!body.empty())
    for (const std::string& line : SplitText(body, '\n')) Say("    " + line);
}

void ResetTranscript() { Transcript().clear(); }

}  // namespace hostsim
