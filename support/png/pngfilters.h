// The five PNG row filters, undone in place.
#pragma once
#include <cstddef>
#include <cstdint>

namespace acpng {

// Undoes filter type `filter` on `length` bytes of row (the bytes after the
// filter byte), given the decoded previous row (all zeros at the first row of
// an image or pass) and the bytes per complete pixel (1 below 8 bits). Returns
// false for a filter type above 4, leaving the row as it is.
bool ReverseRowFilter(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t bytesPerPixel, size_t length);

}  // namespace acpng
