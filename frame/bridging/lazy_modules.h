// The modules whose functions the plug-in binds lazily, each at its first call, one
// row each: LAZY_MODULE(module, file). `module` is the name the rows of
// system_imports.h give in their module column; `file` is the module's file name as
// the delay-import descriptor carries it. From this list come the descriptors, module
// handle cells, slot tables and name tables (delay_imports.S, in the rows' order), and
// system_entry_table.S leaves these modules' functions to the lazy binding. A module
// that is not listed here is bound by the system loader. Include it with LAZY_MODULE
// defined.

LAZY_MODULE(EMU32, "EMU32.dll")
LAZY_MODULE(USER32, "USER32.dll")
