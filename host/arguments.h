// The fixed numbers the plug-in passes to host services, whose meaning is the host's
// own: the plug-in passes them unchanged and looks at nothing they do. Each is named by
// its service and its parameter in service_list.h.
#pragma once

inline constexpr int NoticeDialogKind = 1194;     // 52023 noticeDialog, kind
inline constexpr int RunDialogKind = 1;           // 52026 runDialog, kind
inline constexpr int ChooseFileKind = 57;         // 52169 chooseFile, kind
inline constexpr int OpenTableFileKind = 4;       // 52278 openTableFile, kind
inline constexpr int TableFileNameKind = 103;     // 52311 tableFileName, kind
inline constexpr int SelectWarehouseKind = 680;   // 52337 selectWarehouse, kind
inline constexpr int NotePriceChangeKind = 1;     // 52411 notePriceChange, kind
// The last but one or last argument of 52023, 52026, 52169, 52278, 52337 and 52411.
inline constexpr int ReservedArgument = 0;
