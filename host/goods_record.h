// The host's goods record as the plug-in sees it in the goods table's record buffer
// and the stand-in keeps it in its goods files, and the cursor the host's table
// services (52278-52281) keep their state in.
#pragma once
#include <cstddef>
#include <cstdint>

#include "host/records.h"  // GoodsRecordLength, the descriptor's record length

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
static_assert(offsetof(GoodsRecord, name) == 2 && sizeof(GoodsRecord::name) == 121);
static_assert(offsetof(GoodsRecord, symbol) == 123 && sizeof(GoodsRecord::symbol) == 17);
static_assert(offsetof(GoodsRecord, index) == 140 && sizeof(GoodsRecord::index) == 89);
static_assert(offsetof(GoodsRecord, vatCode) == 229 && sizeof(GoodsRecord::vatCode) == 2);
static_assert(offsetof(GoodsRecord, netPrice) == 247 && sizeof(GoodsRecord::netPrice) == 8);
static_assert(offsetof(GoodsRecord, grossPrice) == 327 && sizeof(GoodsRecord::grossPrice) == 8);
static_assert(offsetof(GoodsRecord, remarks) == 457 && sizeof(GoodsRecord::remarks) == 312);

// A field of the record as bytes: where it starts and how many bytes it holds (a
// text's terminator included), for code that works on the record's bytes.
struct GoodsField {
  std::size_t offset, size;
};
#define GOODS_FIELD(member) GoodsField{offsetof(GoodsRecord, member), sizeof(GoodsRecord::member)}
inline constexpr GoodsField GoodsName = GOODS_FIELD(name);
inline constexpr GoodsField GoodsSymbol = GOODS_FIELD(symbol);
inline constexpr GoodsField GoodsIndex = GOODS_FIELD(index);
inline constexpr GoodsField GoodsVatCode = GOODS_FIELD(vatCode);
inline constexpr GoodsField GoodsNetPrice = GOODS_FIELD(netPrice);
inline constexpr GoodsField GoodsGrossPrice = GOODS_FIELD(grossPrice);
inline constexpr GoodsField GoodsRemarks = GOODS_FIELD(remarks);
#undef GOODS_FIELD

// Modes of the net/gross conversion of a record's price (52289).
enum NetGrossMode : int {
  GrossToNet = 1,  // price / (1 + the VAT code's rate)
  NetToGross = 2,  // price * (1 + the VAT code's rate)
};

// Iteration state of host services 52278-52281: the plug-in reserves it and never
// looks inside; the host keeps what it likes in it.
struct GoodsCursor {
  alignas(8) unsigned char bytes[192];
};
static_assert(sizeof(GoodsCursor) == 192);
