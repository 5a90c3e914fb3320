// Where the stand-in's memory service (21286, 21287) takes its blocks from.
//
// The plug-in grows its lists in small fixed steps, so a plain realloc per step copies
// the whole list again and again wherever the C runtime cannot grow a block in place
// (the Windows heap under Wine does so above a few hundred kilobytes: a 100,000-entry
// price list is copied about a gigabyte's worth). A block that grows therefore gets
// half its size again as hidden room, and a later growth that fits returns the same
// address; it grows through realloc, which can move a large block's pages rather than
// copy them; the service still counts only the sizes asked for. Under AddressSanitizer
// every growth moves the block instead, so that a plug-in which keeps using the old
// address after a growth is caught at once.
#pragma once
#include <cstddef>

namespace hostsim {

// Whether every growth moves the block (a build with AddressSanitizer).
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool BlocksMoveOnEveryGrowth = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool BlocksMoveOnEveryGrowth = true;
#else
inline constexpr bool BlocksMoveOnEveryGrowth = false;
#endif
#else
inline constexpr bool BlocksMoveOnEveryGrowth = false;
#endif

// The block resized to newSize bytes, its first min(oldSize, newSize) bytes kept
// (oldSize: the size the block was last given; block null: a new block). Null when
// the system has no memory, with the old block untouched and still valid.
void* ResizeBlock(void* block, std::size_t oldSize, std::size_t newSize);

// Gives back a block of ResizeBlock; null is allowed.
void FreeBlock(void* block);

}  // namespace hostsim
