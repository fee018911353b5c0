// The adaptive prefix coder of report page payloads.
//
// A code tree of 256 inner nodes (0 is the root) and 257 leaves (256 + b is
// byte b) adapts after every byte by semi-splaying, so frequent bytes get
// short codes. Bits fill each output byte from the least significant bit up.
// Every payload is coded from a fresh tree, so pages decode independently; the
// last, partly filled byte is written with its high bits zero. The format is
// fixed: page store files written by other implementations of the engine read
// here and ours read there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The tree and its adaptation, shared by coding and decoding.
struct TQRCodeTree {
  TQRCodeTree() { InitTree(); }
  void InitTree();
  void Splay(std::uint8_t value);

  std::uint8_t Up[513];
  // The children of inner node n: Child[2n] (left, bit 0) and Child[2n + 1]
  // (right, bit 1), side by side so a decoding step indexes with the bit.
  std::uint16_t Child[512];
};

// Codes a whole payload from a fresh tree, the last partial byte included.
std::vector<std::uint8_t> QRCompressBlock(const std::uint8_t* data, std::size_t count);
// Decodes count bytes from coded (codedSize bytes) with a fresh tree. Returns
// false when the coded bytes end before count bytes are decoded. used, when
// given, receives the number of coded bytes the decoded bytes took (the bytes
// after them belong to something else).
bool QRExpandBlock(const std::uint8_t* coded, std::size_t codedSize, std::size_t count,
                   std::uint8_t* out, std::size_t* used = nullptr);
