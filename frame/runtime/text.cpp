// Strings and memory blocks of the C runtime, byte by byte. This file is compiled
// with -fno-builtin and -fno-tree-loop-distribute-patterns, so the compiler never
// turns a loop here back into a call of the function it implements.
#include <cstddef>
#include <cwchar>

extern "C" {

// Copies n bytes; the blocks must not overlap. Returns destination.
void* memcpy(void* destination, const void* source, size_t n) {
  auto d = static_cast<unsigned char*>(destination);
  auto s = static_cast<const unsigned char*>(source);
  while (n--) *d++ = *s++;
  return destination;
}

// Copies n bytes between blocks that may overlap. Returns destination.
void* memmove(void* destination, const void* source, size_t n) {
  auto d = static_cast<unsigned char*>(destination);
  auto s = static_cast<const unsigned char*>(source);
  if (d <= s || d >= s + n) {
    while (n--) *d++ = *s++;
  } else {
    while (n--) d[n] = s[n];
  }
  return destination;
}

// Fills n bytes with the byte value of c. Returns the block.
void* memset(void* block, int c, size_t n) {
  auto d = static_cast<unsigned char*>(block);
  while (n--) *d++ = static_cast<unsigned char>(c);
  return block;
}

// The first of n bytes equal to c (as an unsigned char), or null.
void* memchr(const void* block, int c, size_t n) {
  auto b = static_cast<const unsigned char*>(block);
  for (; n--; ++b)
    if (*b == static_cast<unsigned char>(c)) return const_cast<unsigned char*>(b);
  return nullptr;
}

// The number of bytes before the terminating zero.
size_t strlen(const char* text) {
  const char* end = text;
  while (*end) ++end;
  return static_cast<size_t>(end - text);
}

// The first byte equal to c (as a char) in the text, its terminator included; null
// when there is none.
char* strchr(const char* text, int c) {
  for (;; ++text) {
    if (*text == static_cast<char>(c)) return const_cast<char*>(text);
    if (!*text) return nullptr;
  }
}

// The first byte of the text that is one of the bytes of set, or null when there is
// none before the terminator.
char* strpbrk(const char* text, const char* set) {
  for (; *text; ++text)
    for (const char* s = set; *s; ++s)
      if (*text == *s) return const_cast<char*>(text);
  return nullptr;
}

// Compares two texts byte by byte as unsigned chars: <0, 0 or >0.
int strcmp(const char* a, const char* b) {
  auto x = reinterpret_cast<const unsigned char*>(a);
  auto y = reinterpret_cast<const unsigned char*>(b);
  while (*x && *x == *y) ++x, ++y;
  return *x - *y;
}

// Compares at most n bytes of two texts as unsigned chars, stopping after a terminating
// zero: <0, 0 or >0.
int strncmp(const char* a, const char* b, size_t n) {
  auto x = reinterpret_cast<const unsigned char*>(a);
  auto y = reinterpret_cast<const unsigned char*>(b);
  for (; n > 0; --n, ++x, ++y)
    if (*x != *y || !*x) return *x - *y;
  return 0;
}

// The number of wide characters before the terminating zero.
size_t wcslen(const wchar_t* text) {
  const wchar_t* end = text;
  while (*end) ++end;
  return static_cast<size_t>(end - text);
}

}  // extern "C"
