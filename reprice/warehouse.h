// The two passes over one warehouse's goods file: the update that reprices the goods
// the price list identifies, and the check that verifies what was stored.
#pragma once
#include <cstdint>

// Reprices every goods record of the warehouse that an entry of priceList identifies,
// stores the changed ones, sets the entries' statuses and writes one "INFO3.TXT" line
// per goods record. A record identified by an entry with a bad price keeps every byte
// and the entry ends in StatusBadPrice. gross: nonzero when the list's prices are
// gross. Always 0.
int32_t UpdateWarehousePrices(int32_t warehouse, int32_t gross);

// Walks the same goods again without storing and marks StatusChangeFailed on every
// entry whose record does not hold the gross price the update should have stored, or,
// with names copied, the entry's name. Entries with a bad price are left alone.
// Must follow UpdateWarehousePrices over the same warehouse. Always 0.
int32_t CheckWarehousePrices(int32_t warehouse, int32_t gross);
