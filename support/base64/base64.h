// MIME base64 encoding without line breaks (RFC 2045 alphabet, "=" padding),
// for pages handed to the print helper library as text.
#pragma once
#include <cstddef>
#include <string>

std::string MimeEncodeNoCRLF(const void* data, std::size_t size);
inline std::string MimeEncodeNoCRLF(const std::string& bytes) { return MimeEncodeNoCRLF(bytes.data(), bytes.size()); }
