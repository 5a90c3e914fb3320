// Stand-in for the DOS extender's system module: what tells it apart is its export
// "Borland32".
extern "C" __declspec(dllexport) int Borland32() { return 32; }
