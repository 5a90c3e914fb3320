#include "reprice/price_file_messages.h"

#include <cstring>

#include "host/mazovia.h"
#include "host/services.h"

namespace {

constexpr int MessageOrdinary = 1;
constexpr std::size_t LongestPath = 128;  // the path field holds at most this much
constexpr std::size_t MessageSize = 256;

const auto NotOpened = MzArray("Nie można otworzyć pliku cen:\n");
const auto NotMazoviaUtf8 = MzArray("Plik cen nie jest zapisany w stronie kodowej Mazovia\n(wygląda na UTF-8):\n");
const auto NotMazovia1250 =
    MzArray("Plik cen nie jest zapisany w stronie kodowej Mazovia\n(wygląda na Windows-1250):\n");
const auto NothingChanged = MzArray("\nTowary nie zostały zmienione.");
static_assert(NotMazovia1250.size() - 1 + LongestPath + NothingChanged.size() <= MessageSize);
static_assert(NotOpened.size() <= NotMazovia1250.size() && NotMazoviaUtf8.size() <= NotMazovia1250.size());

// Shows head, the path (at most LongestPath bytes of it) and NothingChanged as one message.
void ShowWithPath(const char* head, const char* path) {
  char text[MessageSize];
  std::size_t at = std::strlen(head);
  std::memcpy(text, head, at);
  const void* end = std::memchr(path, 0, LongestPath);
  std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - path) : LongestPath;
  std::memcpy(text + at, path, length);
  at += length;
  std::memcpy(text + at, NothingChanged.data(), NothingChanged.size());
  messageBox(Mz("uwaga"), text, MessageOrdinary);
}

}  // namespace

void ShowPriceFileNotOpened(const char* path) { ShowWithPath(NotOpened.data(), path); }

void ShowPriceFileNotMazovia(PriceFileCodePage page, const char* path) {
  ShowWithPath(page == PriceFileCodePage::Utf8 ? NotMazoviaUtf8.data() : NotMazovia1250.data(), path);
}
