// The design clipboard block: the copied components as one block of bytes
// under the clipboard format "Dsn_ClipboardFormat".
//
//   offset 0   4 bytes   L, the number of bytes that follow (little-endian)
//   offset 4   L bytes   "TPF0" + component, once per copied component,
//                        then one 0 byte (the list end)
//
// Any program may put a block under a registered format, so a block is
// taken only when L fits in it and its data begins with the signature.
#pragma once
#include <cstddef>
#include <vector>

#include "classlib/classes/streams.h"

class TComponent;

// The name the clipboard format is registered under.
constexpr const char* DesignClipboardFormatName = "Dsn_ClipboardFormat";

// "TPF0" and each component, written with Root as root, then one list end.
void WriteClipboardRecords(TStream& Stream, TComponent* Root, const std::vector<TComponent*>& Components);

// The block for Data: its size, then its bytes.
std::vector<unsigned char> MakeClipboardBlock(TMemoryStream& Data);

// Copies the L bytes of a block into Data (from position 0, which is left
// at 0). False, with Data untouched, when the block is shorter than 4 bytes,
// L does not fit in the rest of it, or the data does not begin with "TPF0".
bool TakeClipboardBlock(const void* Block, std::size_t BlockSize, TMemoryStream& Data);
