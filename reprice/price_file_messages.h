// The messages of a run that ends because of its price file, each shown through the
// host's message service (52028) with the title "uwaga".
#pragma once
#include "reprice/price_file_code_page.h"

// "Nie można otworzyć pliku cen:", the path as stored, "Towary nie zostały zmienione.".
void ShowPriceFileNotOpened(const char* path);

// That the file is not in Mazovia and what it looks like (UTF-8 or Windows-1250), the
// path, "Towary nie zostały zmienione."; page is one of those two.
void ShowPriceFileNotMazovia(PriceFileCodePage page, const char* path);
