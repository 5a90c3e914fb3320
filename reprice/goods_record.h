// The host's goods record as the passes see it in the goods table's record buffer,
// and the cursor the host's table services keep their state in.
#pragma once
#include <cstddef>
#include <cstdint>

#include "host/records.h"

// 769 bytes, a layout of the host's goods files; only the named fields are used,
// every other byte passes through unchanged.
#pragma pack(push, 1)
struct GoodsRecord {
  char unused0[2];
  char name[121];        // NUL-terminated; overwritten when names are copied
  char symbol[17];       // NUL-terminated
  char index[89];        // NUL-terminated
  int16_t vatCode;       // handed to the host's net/gross conversion
  char unused1[16];
  double netPrice;       // ten-thousandths of the currency unit
  char unused2[72];
  double grossPrice;     // ten-thousandths; its change decides "changed" or "same"
  char unused3[122];
  char remarks[312];     // NUL-terminated, up to the end of the record
};
#pragma pack(pop)
static_assert(sizeof(GoodsRecord) == GoodsRecordLength);
static_assert(offsetof(GoodsRecord, name) == 2);
static_assert(offsetof(GoodsRecord, symbol) == 123);
static_assert(offsetof(GoodsRecord, index) == 140);
static_assert(offsetof(GoodsRecord, vatCode) == 229);
static_assert(offsetof(GoodsRecord, netPrice) == 247);
static_assert(offsetof(GoodsRecord, grossPrice) == 327);
static_assert(offsetof(GoodsRecord, remarks) == 457);

// Iteration state of host services 52278-52281; the plug-in reserves it and never
// looks inside.
struct GoodsCursor {
  alignas(8) unsigned char bytes[192];
};
static_assert(sizeof(GoodsCursor) == 192);
