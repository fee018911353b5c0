// A thin wrapper over zlib's inflate for the PNG reader's image data.
#pragma once
#include <cstddef>
#include <cstdint>

#include <zlib.h>

namespace acpng {

class TLZ77Decoder {
public:
  // FlushMode is passed to every inflate call; with AutoReset the stream is
  // reset after its end so a following stream can be inflated.
  TLZ77Decoder(int flushMode, bool autoReset);
  ~TLZ77Decoder();
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  // Raises EGraphicCompression "LZ77 decompression error." when zlib cannot start or end.
  void BeginInflate();
  void EndInflate();
  // Inflates up to packedSize bytes from source into up to unpackedSize bytes
  // at target; both pointers move past what was used. Does nothing once the
  // last result was not Z_OK.
  void InflateInto(const uint8_t*& source, uint8_t*& target, size_t packedSize, size_t unpackedSize);
  size_t InputLeft() const { return stream_.avail_in; }
  size_t OutputLeft() const { return stream_.avail_out; }
  int ZLibResult() const { return result_; }

private:
  z_stream stream_{};
  int flushMode_;
  bool autoReset_;
  bool started_ = false;
  int result_ = Z_OK;
};

}  // namespace acpng
