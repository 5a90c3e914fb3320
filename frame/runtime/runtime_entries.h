// The C runtime inside the plug-in, one row per entry point it provides: name and
// group. This list is what replaces the system's C runtime library: our own code, the
// formatted print and number conversion of mingw-w64's static library (libmingwex)
// and libgcc link against these entries and nothing else of a C runtime.
// runtime_table.S expands it into a table of their addresses, so a row without its
// function fails the link. Include it with RUNTIME_ENTRY defined.
//
// Every system call below goes through the plug-in's own import slots
// (system_imports.h), and so through the register-preserving wrappers:
//   memory  HeapAlloc, HeapReAlloc, HeapFree on the process heap (GetProcessHeap)
//   files   CreateFileA, ReadFile, CloseHandle, DeleteFileA
//   start   nothing: the constructor and destructor lists and a fixed exit list

// Memory (heap.cpp); a failure is a null result, never an exception.
RUNTIME_ENTRY(malloc,      memory)
RUNTIME_ENTRY(calloc,      memory)
RUNTIME_ENTRY(realloc,     memory)
RUNTIME_ENTRY(free,        memory)
// Files (files.cpp): the price file, read in binary; the deletion of the reports.
RUNTIME_ENTRY(fopen,       files)
RUNTIME_ENTRY(fread,       files)
RUNTIME_ENTRY(fclose,      files)
RUNTIME_ENTRY(fputc,       files)
RUNTIME_ENTRY(remove,      files)
// Strings and memory blocks (text.cpp).
RUNTIME_ENTRY(memcpy,      text)
RUNTIME_ENTRY(memmove,     text)
RUNTIME_ENTRY(memset,      text)
RUNTIME_ENTRY(memchr,      text)
RUNTIME_ENTRY(strlen,      text)
RUNTIME_ENTRY(strchr,      text)
RUNTIME_ENTRY(strpbrk,     text)
RUNTIME_ENTRY(strcmp,      text)
RUNTIME_ENTRY(strncmp,     text)
RUNTIME_ENTRY(wcslen,      text)
// errno and the "C" locale that the formatted print asks for (locale.cpp).
RUNTIME_ENTRY(_errno,      locale)
RUNTIME_ENTRY(strerror,    locale)
RUNTIME_ENTRY(localeconv,  locale)
RUNTIME_ENTRY(mbrtowc,     locale)
RUNTIME_ENTRY(wcrtomb,     locale)
// The formatted print into a caller's buffer, what "wsprintfA" binds to (print.cpp).
RUNTIME_ENTRY(FormattedPrint, print)
// Start and shut-down (start.cpp): constructors, the exit list, destructors.
RUNTIME_ENTRY(StartRuntimeLibrary,    start)
RUNTIME_ENTRY(ShutDownRuntimeLibrary, start)
RUNTIME_ENTRY(atexit,      start)
