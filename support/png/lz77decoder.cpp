#include "support/png/lz77decoder.h"

#include <algorithm>
#include <limits>

#include "classlib/system/exceptions.h"

namespace acpng {
namespace {
const char* const kLZ77Error = "LZ77 decompression error.";
}

TLZ77Decoder::TLZ77Decoder(int flushMode, bool autoReset) : flushMode_(flushMode), autoReset_(autoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
  if (started_) inflateEnd(&stream_);
}

void TLZ77Decoder::BeginInflate() {
  if (started_) EndInflate();
  stream_ = z_stream{};
  result_ = inflateInit(&stream_);
  if (result_ != Z_OK) throw EGraphicCompression(kLZ77Error);
  started_ = true;
}

void TLZ77Decoder::EndInflate() {
  if (!started_) return;
  started_ = false;
  if (inflateEnd(&stream_) != Z_OK) throw EGraphicCompression(kLZ77Error);
}

void TLZ77Decoder::InflateInto(const uint8_t*& source, uint8_t*& target, size_t packedSize, size_t unpackedSize) {
  if (!started_ || result_ != Z_OK) return;
  constexpr size_t kMaxBlock = std::numeric_limits<uInt>::max();
  stream_.next_in = const_cast<Bytef*>(source);
  stream_.avail_in = uInt(std::min(packedSize, kMaxBlock));
  stream_.next_out = target;
  stream_.avail_out = uInt(std::min(unpackedSize, kMaxBlock));
  result_ = inflate(&stream_, flushMode_);
  source = stream_.next_in;
  target = stream_.next_out;
  if (result_ == Z_STREAM_END && autoReset_) {
    inflateReset(&stream_);
    result_ = Z_OK;
  }
}

}  // namespace acpng
