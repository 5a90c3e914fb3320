// The plug-in's entry points into the host: one per row of host_ordinals.h, each with
// its binder and its record (host_table.h). Each entry point is a single indirect jump
// through its slot. A slot starts out holding its entry's binder, so the first call
// binds the service and every later call goes straight to the host's function
// (bind_and_enter.inc). The names of host/service_list.h are given to the entries of
// their ordinals.
#include "frame/binding/bind_and_enter.inc"
#include "frame/binding/host_table.h"

// SERVICE ordinal, named: one entry. named=1 also labels the entry point
// host_entry_<ordinal>, which the service names below refer to; a second entry of
// the same ordinal (HOST_SERVICE_AGAIN) gets no label.
.macro SERVICE ordinal, named
        .text
.if \named
host_entry_\ordinal:
.endif
        LAZY_ENTRY service_entry_\@, service_binder_\@, service_record_\@, \ordinal, ServiceBinderCommon
        .data
service_record_\@:                      // a HostServiceEntry
        .long   service_binder_\@       // slot
        .long   \ordinal                // ordinal
        .long   service_entry_\@        // entryPoint
        .long   service_binder_\@       // binder
        .long   0                       // dead
        .text
.endm

// SERVICE_RUN first, last: one entry per ordinal. altmacro's %expr hands SERVICE the
// counter's current value as digits, so each entry gets its own number and label.
.macro SERVICE_RUN first, last
        .altmacro
        .set    service_run_ordinal, \first
        .rept   \last - \first + 1
        SERVICE %service_run_ordinal, 1
        .set    service_run_ordinal, service_run_ordinal + 1
        .endr
        .noaltmacro
.endm

// SERVICE_NAME symbol, ordinal: the C name of a service is its entry's entry point.
// An ordinal that host_ordinals.h lacks leaves host_entry_<ordinal> undefined and the
// build fails.
.macro SERVICE_NAME symbol, ordinal
        .globl  \symbol
        .set    \symbol, host_entry_\ordinal
.endm

        .data
        .p2align 2
        .globl  _HostServiceTable
_HostServiceTable:

// ';' ends a statement, so several rows of the list may share a line.
#define HOST_SERVICE_RUN(first, last) SERVICE_RUN first, last;
#define HOST_SERVICE_ONE(ordinal) SERVICE ordinal, 1;
#define HOST_SERVICE_AGAIN(ordinal) SERVICE ordinal, 0;
#include "frame/binding/host_ordinals.h"

        .data
        .globl  _HostServiceTableEnd
_HostServiceTableEnd:

#define HOST_SERVICE(ordinal, name, result, parameters) SERVICE_NAME _##name, ordinal
#define HOST_SERVICE_STDCALL(ordinal, name, result, parameters) SERVICE_NAME _##name@40, ordinal
#include "host/service_list.h"

// Binds one slot (the record's first field) with ResolveHostService and enters the
// service as if the caller had called it directly.
        BIND_AND_ENTER ServiceBinderCommon, _ResolveHostService
