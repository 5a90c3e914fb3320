// A hash index over the price list's symbols, so that FindPriceEntry does not walk
// the whole list for every goods record. Its memory comes from the host.
#pragma once

// Gives the index's memory back to the host; the next lookup builds it anew.
void FreePriceIndex();
