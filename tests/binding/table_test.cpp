// The shape of the host service table: its blocks, its double entries, the services
// the plug-in calls, and entry points that are one indirect jump through their slot.
#include <cstring>
#include <map>
#include <set>

#include "host/records.h"
#include "host/services.h"
#include "tests/binding/binding_fixture.h"

namespace binding_test {
namespace {

struct Block {
  uint32_t first, last, entries;
  std::set<uint32_t> lowDigits;  // empty: any; else one service per hundred with these
};
const Block kBlocks[] = {
    {20000, 21701, 871, {}},
    {30120, 37800, 77, {0, 4, 8, 12, 16, 20, 24, 99}},
    {37900, 38439, 493, {}},
    {40004, 41524, 16, {4, 8, 12, 16, 24, 99}},
    {41600, 41606, 7, {}},
    {50148, 51300, 11, {0, 4, 12, 28, 44, 48, 76}},
    {50516, 50521, 6, {}},
    {51424, 51474, 51, {}},
    {52001, 52482, 482, {}},
};

// The block an ordinal belongs to; the consecutive block inside 50148-51300 wins.
const Block* BlockOf(uint32_t ordinal) {
  const Block* found = nullptr;
  for (const Block& block : kBlocks)
    if (ordinal >= block.first && ordinal <= block.last && (!found || block.lowDigits.empty())) found = &block;
  return found;
}

std::multiset<uint32_t> Ordinals() {
  std::multiset<uint32_t> ordinals;
  for (HostServiceEntry* e = HostServiceTable; e != HostServiceTableEnd; ++e) ordinals.insert(e->ordinal);
  return ordinals;
}

TEST(HostServiceTable, HasTheBlocksWithTheirCounts) {
  EXPECT_EQ(HostServiceTableEnd - HostServiceTable, 2014);
  std::map<const Block*, uint32_t> counts;
  std::map<const Block*, std::set<uint32_t>> hundreds;
  for (HostServiceEntry* e = HostServiceTable; e != HostServiceTableEnd; ++e) {
    const Block* block = BlockOf(e->ordinal);
    ASSERT_NE(block, nullptr) << e->ordinal << " lies in no block";
    ++counts[block];
    if (block->lowDigits.empty()) continue;
    EXPECT_TRUE(block->lowDigits.count(e->ordinal % 100)) << e->ordinal;
    EXPECT_TRUE(hundreds[block].insert(e->ordinal / 100).second) << "second service in the hundred of " << e->ordinal;
  }
  for (const Block& block : kBlocks) {
    SCOPED_TRACE(testing::Message() << block.first << "-" << block.last);
    EXPECT_EQ(counts[&block], block.entries);
    EXPECT_EQ(Ordinals().count(block.first), 1u);  // the block's ends are services
    EXPECT_EQ(Ordinals().count(block.last), 1u);
  }
}

TEST(HostServiceTable, HasTwoEntriesExactlyFor21283And21294) {
  std::multiset<uint32_t> ordinals = Ordinals();
  for (uint32_t ordinal : std::set<uint32_t>(ordinals.begin(), ordinals.end())) {
    SCOPED_TRACE(ordinal);
    EXPECT_EQ(ordinals.count(ordinal), ordinal == 21283 || ordinal == 21294 ? 2u : 1u);
  }
  for (uint32_t ordinal : {21283u, 21294u}) {
    std::set<void*> slots, entryPoints;
    for (HostServiceEntry* e = HostServiceTable; e != HostServiceTableEnd; ++e)
      if (e->ordinal == ordinal) slots.insert(&e->slot), entryPoints.insert(e->entryPoint);
    EXPECT_EQ(slots.size(), 2u);
    EXPECT_EQ(entryPoints.size(), 2u);
  }
}

TEST(HostServiceTable, NamesTheEntriesOfTheServicesThePluginCalls) {
  struct Named {
    uint32_t ordinal;
    const char* name;
    void* entryPoint;
  };
  const Named named[] = {
#define HOST_SERVICE(ordinal, name, result, parameters) {ordinal, #name, reinterpret_cast<void*>(&name)},
#define HOST_SERVICE_STDCALL HOST_SERVICE
#include "host/service_list.h"
#undef HOST_SERVICE
#undef HOST_SERVICE_STDCALL
  };
  EXPECT_EQ(std::size(named), 29u);  // the 28 the logic calls and 52005
  for (const Named& service : named) {
    SCOPED_TRACE(service.name);
    HostServiceEntry* entry = FindHostService(service.ordinal);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->entryPoint, service.entryPoint);
  }
}

// FF 25 m32 is "jmp *m32": the entry point is that one instruction, through its own
// slot; before any call the slot holds the entry's own binder.
TEST(HostServiceTable, EntryPointsJumpThroughTheirOwnSlotWhichStartsAtTheBinder) {
  for (HostServiceEntry* e = HostServiceTable; e != HostServiceTableEnd; ++e) {
    const auto* code = static_cast<const unsigned char*>(e->entryPoint);
    void* operand;
    std::memcpy(&operand, code + 2, sizeof operand);
    SCOPED_TRACE(e->ordinal);
    ASSERT_EQ(code[0], 0xFF);
    ASSERT_EQ(code[1], 0x25);
    ASSERT_EQ(operand, &e->slot);
    ASSERT_EQ(e->slot, e->binder);
    ASSERT_EQ(e->dead, 0u);
  }
}

}  // namespace
}  // namespace binding_test
