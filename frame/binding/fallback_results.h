// Host services whose fallback stub answers something other than 0, because 0 would
// lead the plug-in's caller astray: one row each, FALLBACK_RESULT(ordinal, result).
// fallback_stubs.S makes each row's stub (FallbackAnswerStub<ordinal>: EAX = result,
// EDX = 0, removes nothing); choose_fallback.cpp chooses it for the ordinal and checks
// that the service is one of host/service_list.h with an integer result and the caller
// removing the arguments. Include it with FALLBACK_RESULT defined, after host/dialog.h.

// The dialog service: a dialog that cannot be shown counts as left (CmdCancel). Its 0
// would be a command the options dialog loop answers by showing the dialog again.
FALLBACK_RESULT(52026, HOST_CMD_CANCEL)
