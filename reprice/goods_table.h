// The host's goods table descriptor, obtained by the frame at load (may be null).
#pragma once

extern void* goodsTable;
