// The plug-in's table of host services: one record per entry of host_ordinals.h,
// laid out by host_table.S in this order, between HostServiceTable and
// HostServiceTableEnd. Shared by the assembler (offsets) and C++ (the record).
#pragma once

#define HOST_ENTRY_SLOT 0      // where the entry point jumps: binder, host function or stub
#define HOST_ENTRY_ORDINAL 4   // the service's ordinal
#define HOST_ENTRY_POINT 8     // the entry point the plug-in's code calls
#define HOST_ENTRY_BINDER 12   // the entry's binder, the slot's value before binding
#define HOST_ENTRY_DEAD 16     // nonzero once the service was given up
#define HOST_ENTRY_SIZE 20

#ifndef __ASSEMBLER__
#include <cstddef>
#include <cstdint>

// One entry. Unbound: slot == binder and dead == 0. Bound: slot is the host's function
// or a fallback stub. Dead: slot == binder and dead != 0, so a call reaches the binder
// again and ResolveHostService raises instead of asking the host.
struct HostServiceEntry {
  void* slot;
  uint32_t ordinal;
  void* entryPoint;
  void* binder;
  uint32_t dead;
};
static_assert(offsetof(HostServiceEntry, slot) == HOST_ENTRY_SLOT);
static_assert(offsetof(HostServiceEntry, ordinal) == HOST_ENTRY_ORDINAL);
static_assert(offsetof(HostServiceEntry, entryPoint) == HOST_ENTRY_POINT);
static_assert(offsetof(HostServiceEntry, binder) == HOST_ENTRY_BINDER);
static_assert(offsetof(HostServiceEntry, dead) == HOST_ENTRY_DEAD);
#if defined(__i386__)
static_assert(sizeof(HostServiceEntry) == HOST_ENTRY_SIZE);
#endif

// The structured exception a call of a dead service raises; its one parameter is the
// service's ordinal.
inline constexpr uint32_t DeadServiceException = 0xE0534501;

extern "C" {
extern HostServiceEntry HostServiceTable[];
extern HostServiceEntry HostServiceTableEnd[];

// Fills the slot of one entry (slot is the entry's first field) and returns what it put
// there: the host's function, else after the report a fallback stub; a dead entry
// raises DeadServiceException. Called only by the binders (bind_and_enter.inc), with
// every register of the plug-in's caller saved.
void* ResolveHostService(uint32_t ordinal, void** slot);

// Shows the system's message box about a service the host lacks, again on Retry.
// Returns true for Ignore, false for Abort (or any other answer).
bool ReportMissingService(uint32_t ordinal);

// The fallback stub that suits the ordinal's calling convention, or null if none fits.
void* ChooseFallback(uint32_t ordinal);
}

// The first entry of an ordinal, or null when the table has none.
HostServiceEntry* FindHostService(uint32_t ordinal);
#endif
