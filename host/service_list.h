// The host services the plug-in calls, one row each: ordinal, name, result, parameters.
// This list is the only place they are written down; the C++ declarations
// (services.h), the plug-in's entry points (frame/) and the stand-in's table of what
// it offers (hostsim/) are all expanded from it. Include it with HOST_SERVICE defined.
// Every service is __cdecl (the caller removes the arguments); a 16-bit result comes
// back in AX. Host service 52005 is the one __stdcall service, see below.
//
// HOST_SERVICE(ordinal, name, result, parameters)
// The fixed numbers the plug-in passes as kind and reserved are named in arguments.h.

HOST_SERVICE(21286, reallocMemory,     void*,    (void* block, uint32_t size))
HOST_SERVICE(21287, freeMemory,        void,     (void* block))
HOST_SERVICE(52006, dateNumber,        uint32_t, (const char* date))
HOST_SERVICE(52023, noticeDialog,      int,      (int kind, int16_t* flag, int reserved, const char* text))
HOST_SERVICE(52026, runDialog,         int16_t,  (const void* dialogTemplate, int kind, void* data, int reserved))
HOST_SERVICE(52028, messageBox,        void,     (const char* title, const char* text, int mode))
HOST_SERVICE(52029, messageBoxFormat,  void,     (const char* title, const char* format, int mode, ...))
HOST_SERVICE(52030, errorMessage,      void,     (const char* text))
HOST_SERVICE(52064, closeWaitMessage,  void,     (void))
HOST_SERVICE(52081, addMenuCommand,    int,      (const MenuEntry* entry))
HOST_SERVICE(52082, removeMenuCommand, void,     (int command))
HOST_SERVICE(52158, convertCharset,    void,     (char* text, char* sameText, int from, int to))
HOST_SERVICE(52161, copyText,          char*,    (char* destination, const char* source, int n))
HOST_SERVICE(52169, chooseFile,        int,      (int kind, char* path, const char* mask, int reserved))
HOST_SERVICE(52179, roundAmount,       double,   (double price, int step))
HOST_SERVICE(52225, settingValue,      int16_t,  (int mode, const char* section, const char* key, const char* format, ...))
HOST_SERVICE(52256, tableDescriptor,   void*,    (int table))
HOST_SERVICE(52278, openTableFile,     int,      (void* cursor, void* table, int kind, const char* fileName, int update, int reserved))
HOST_SERVICE(52279, nextRecord,        int,      (void* cursor))
HOST_SERVICE(52280, storeRecord,       int,      (void* cursor))
HOST_SERVICE(52281, closeTableFile,    void,     (void* cursor))
HOST_SERVICE(52289, convertNetGross,   double,   (int mode, int16_t vatCode, double price))
HOST_SERVICE(52311, tableFileName,     void,     (int warehouse, char* buffer, const char* prefix, const char* extension, int kind))
HOST_SERVICE(52337, selectWarehouse,   int,      (int warehouse, int kind, int reserved))
HOST_SERVICE(52405, showTextFile,      void,     (const char* fileName))
HOST_SERVICE(52407, appendLine,        void,     (const char* fileName, const char* line))
HOST_SERVICE(52411, notePriceChange,   void,     (void* record, const void* before, int reserved, int kind, const char* text))
HOST_SERVICE(52460, stopRequested,     int,      (void))

// Host service 52005 takes the place of the system's CreateProcessA, with its ten
// arguments and its __stdcall convention (the service removes its 40 bytes).
// HOST_SERVICE_STDCALL(ordinal, name, result, parameters)
#ifdef HOST_SERVICE_STDCALL
HOST_SERVICE_STDCALL(52005, createProcess, int32_t,
                     (const char* application, char* commandLine, void* processAttributes,
                      void* threadAttributes, int32_t inheritHandles, uint32_t creationFlags,
                      void* environment, const char* currentDirectory, void* startupInfo,
                      void* processInformation))
#endif
