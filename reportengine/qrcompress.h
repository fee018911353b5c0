// TQRCompress: the adaptive prefix coder of report page payloads.
//
// A code tree of 256 inner nodes (0 is the root) and 257 leaves (256 + b is
// byte b) adapts after every byte by semi-splaying, so frequent bytes get
// short codes. Bits fill each output byte from the least significant bit up.
// A coder codes exactly one payload: every page gets a fresh tree, so pages
// decode independently. The format is fixed: page store files written by
// other implementations of the engine read here and ours read there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/classes/streams.h"

// The tree and its adaptation, shared by the stream coder and the block
// functions below.
struct TQRCodeTree {
  TQRCodeTree() { InitTree(); }
  void InitTree();
  void Splay(std::uint8_t value);

  std::uint8_t Up[513];
  std::uint16_t Left[256];
  std::uint16_t Right[256];
};

class TQRCompress {
public:
  // compressMode true: CompressByte writes to stream; false: ExpandByte reads.
  TQRCompress(TStream* stream, bool compressMode);
  // A coder flushes its last, partly filled byte (high bits zero).
  ~TQRCompress();
  TQRCompress(const TQRCompress&) = delete;
  TQRCompress& operator=(const TQRCompress&) = delete;

  void CompressByte(std::uint8_t value);
  // Reads code bits until a leaf; a stream that runs dry yields arbitrary
  // bytes, so callers decode exactly the count they recorded.
  std::uint8_t ExpandByte();

private:
  TQRCodeTree tree_;
  TStream* stream_;
  bool compressMode_;
  std::uint8_t bitPos_;
  std::uint16_t inByte_ = 0;
  std::uint16_t outByte_ = 0;
};

// Codes a whole payload as one fresh coder would, flush included.
std::vector<std::uint8_t> QRCompressBlock(const std::uint8_t* data, std::size_t count);
// Decodes count bytes from coded (codedSize bytes) as one fresh coder would.
// Returns false when the coded bytes end before count bytes are decoded.
bool QRExpandBlock(const std::uint8_t* coded, std::size_t codedSize, std::size_t count,
                   std::uint8_t* out);
