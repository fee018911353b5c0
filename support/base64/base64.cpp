#include "support/base64/base64.h"

#include <cstdint>

std::string MimeEncodeNoCRLF(const void* data, std::size_t size) {
  static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::string out;
  out.reserve((size + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) {
    std::uint32_t triple = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
    out += alphabet[triple >> 18];
    out += alphabet[(triple >> 12) & 63];
    out += alphabet[(triple >> 6) & 63];
    out += alphabet[triple & 63];
  }
  if (std::size_t rest = size - i; rest > 0) {
    std::uint32_t triple = bytes[i] << 16;
    if (rest == 2)
      triple |= bytes[i + 1] << 8;
    out += alphabet[triple >> 18];
    out += alphabet[(triple >> 12) & 63];
    out += rest == 2 ? alphabet[(triple >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}
