// Stand-in for the platform module "ILOCK.dll", which Wine lacks: its one export,
// the atomic exchange that the plug-in's lazy import mechanism publishes module
// handles with.

// Stores `value` into *target and returns the value it held, as one atomic step.
extern "C" long __stdcall InterlockedExchange(long volatile* target, long value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
