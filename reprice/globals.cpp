#include "reprice/goods_table.h"
#include "reprice/options.h"
#include "reprice/price_file_code_page.h"
#include "reprice/price_list.h"

PriceList priceList;
RepricingOptions repricingOptions;
void* goodsTable;
CodePageNote priceFileCodePage;
