#include "hostsim/screen/marked_text.h"

#include "hostsim/base/charset.h"

namespace hostsim {

int PutMarkedText(Screen& s, int x, int y, int width, std::string_view text, uint16_t attr, uint16_t hotAttr) {
  int written = 0;
  bool hot = false;
  for (std::size_t i = 0; i < text.size() && written < width; ++i) {
    char c = text[i];
    if (c == '\x02' || c == '\x05') { hot = true; continue; }
    if (c == '\x01') { hot = false; continue; }
    if (c == '~' && (hot || text.find('~', i + 1) != std::string_view::npos)) { hot = !hot; continue; }
    char16_t shown = MazoviaChar(static_cast<unsigned char>(c));
    PutText(s, x + written++, y, std::u16string_view(&shown, 1), hot ? hotAttr : attr);
  }
  return written;
}

}  // namespace hostsim
