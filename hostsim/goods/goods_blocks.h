// A goods file as the goods cursor reads and writes it: whole 769-byte records, read
// from disk in large blocks and stored back in place when the cursor moves past their
// block or closes, or kept in memory when the host's files are (host_files.h).
#pragma once
#include <cstdint>
#include <string>

namespace hostsim {

struct GoodsBlocks;

// Opens the goods file for reading, or for reading and writing (update); null when it
// does not exist or cannot be opened so, why then holding the system's reason ("no
// such file", "access denied", system_reason.h). The caller closes it with
// CloseGoodsBlocks.
GoodsBlocks* OpenGoodsBlocks(const char* fileName, bool update, std::string& why);

// The name the file was opened by.
const std::string& GoodsBlocksName(const GoodsBlocks* goods);

// The file's length in bytes when it was opened (-1 when it cannot be told).
long GoodsFileBytes(const GoodsBlocks* goods);

// The bytes of record `record` (from 0); null past the last whole record (a trailing
// partial record is never given). Valid until the next call on the file.
const unsigned char* GoodsBlockRecord(GoodsBlocks* goods, int32_t record);

// Puts the record's new bytes over record `record`, which GoodsBlockRecord gave last;
// on disk they are written when the cursor leaves its block or the file is closed.
// false for a file opened for reading.
bool PutGoodsBlockRecord(GoodsBlocks* goods, int32_t record, const unsigned char* bytes);

// Writes what was put and not yet written, closes and frees; false when some of it
// could not be written (then or earlier), why then holding the system's reason.
bool CloseGoodsBlocks(GoodsBlocks* goods, std::string& why);

// Writes what was put into every goods file still open and not yet written, so that
// the stores of a call that left a cursor open (a run ended by an exception) are on
// disk when the call returns; the files stay open.
void WriteOpenGoodsBlocks();

// Closes every goods file still open on disk, as CloseGoodsBlocks: a reset of the
// stand-in leaves no file of the data folder open behind a cursor that a run ended by
// an exception never closed.
void CloseOpenGoodsBlocks();

}  // namespace hostsim
