// The fields of a price file line and the decimal comma of its price field.
#include <cstring>

#include "host/services.h"
#include "reprice/price_list.h"

namespace {
constexpr char Tab = '\t';
constexpr int FieldBufferSize = 256;
}  // namespace

int GetLineField(int k, char* line, char* out) {
  for (char* p = line; (p = std::strpbrk(p, "\r\n")); ++p) *p = Tab;
  const char* start = line;
  for (int passed = 0; passed < k; ++passed) {
    start = std::strchr(start, Tab);
    if (!start) return 1;
    ++start;
  }
  static char work[1024];
  copyText(work, start, sizeof work - 1);
  char* end = std::strchr(work, Tab);
  if (!end) return 1;
  // A line longer than the reader's 255 bytes could hold a longer field: it is cut to
  // what out holds rather than written past it.
  std::size_t length = static_cast<std::size_t>(end - work);
  if (length > FieldBufferSize - 1) length = FieldBufferSize - 1;
  std::memcpy(out, work, length);
  out[length] = 0;
  return 0;
}

void CommaToPoint(char* text) {
  for (; *text; ++text)
    if (*text == ',') *text = '.';
}
