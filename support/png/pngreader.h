// The PNG decoder: reads a PNG file from memory into a TPngImage laid out as a
// device-independent bitmap (the picture class copies it into a bitmap).
//
// Samples are converted by TColorManager: 16-bit samples become 8-bit, 2-bit
// grey and indexed images become 4-bit, grey+alpha becomes opaque 8-bit grey,
// RGB becomes 24-bit and RGBA 32-bit with straight alpha.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "support/png/colormanager.h"
#include "support/png/lz77decoder.h"
#include "support/png/pngtypes.h"

namespace acpng {

// Filled by the header scan.
struct TPngHeaderInfo {
  static constexpr uint8_t HeaderRead = 1 << 0;
  static constexpr uint8_t GammaApplied = 1 << 1;

  uint8_t Flags = 0;
  uint32_t Width = 0;
  uint32_t Height = 0;
  TSampleScheme ColorScheme = ssUnknown;
  uint8_t BitsPerSample = 0;
  uint8_t SamplesPerPixel = 0;  // the PNG channel count (2 for grey+alpha)
  uint8_t BitsPerPixel = 0;     // samples x bits
  uint8_t Compression = 0;      // 2 for PNG compression method 0, else 0
  float FileGamma = 1.0f;
  bool Interlaced = false;
  bool HasAlpha = false;
  uint8_t FilterMethod = 0;
};

enum TProgressStage { psStarting, psRunning, psEnding };
struct TProgressRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
using TPngProgress =
    std::function<void(TProgressStage stage, int percent, bool redraw, const TProgressRect& rect, const char* message)>;

class TPngReader {
public:
  // Largest image (width x height) the reader accepts.
  static constexpr uint64_t MaxPixels = uint64_t(1) << 27;

  // Decodes the PNG that starts at data[0] into image and returns the number of
  // bytes read, up to and including IEND's CRC. Errors raise EInvalidGraphic with
  // the PNG messages, EGraphicCompression when inflate cannot start or end,
  // EColorConversionError from the converter, and EReadError when the data ends
  // inside a chunk header or the signature. After an error the image keeps what
  // was decoded so far.
  size_t LoadFromMemory(const uint8_t* data, size_t size, TPngImage& image);

  const TPngHeaderInfo& HeaderInfo() const { return header_; }
  const TColorManager& ColorManager() const { return converter_; }
  void SetOnProgress(TPngProgress progress) { progress_ = std::move(progress); }

private:
  struct ChunkHeader {
    uint32_t Length = 0;
    uint8_t Type[4] = {};
  };

  bool ScanImageHeader();
  bool ParseImageHeader();
  void LoadChunks(TPngImage& image);
  void ReadBytes(void* target, size_t count);
  void BeginChunk();
  void ReadChunkData();
  void SkipChunk();
  bool ChunkIs(const char* type) const;
  bool ChunkIsCritical() const;
  int SetupSampleFormat(TPngImage& image);
  void ReadPalette(TPngImage& image);
  void ReadGamma();
  void ReadBackgroundChunk(TPngImage& image);
  void ReadTransparencyChunk();
  uint8_t GreyLevel(uint32_t sample) const;
  TColor ConvertedKey() const;
  void CheckImageDataCanFill() const;
  void DecodeImageRows(TPngImage& image);
  void DecodeInterlaced(TPngImage& image, uint64_t pngRowBits);
  void DecodeProgressive(TPngImage& image, uint64_t pngRowBits);
  void DecodeRow(uint8_t* row, uint8_t* previous, size_t rowSize, uint8_t* scanLine, uint8_t mask);
  void InflateScanline(uint8_t* buffer, size_t count);
  void Progress(TProgressStage stage, int percent, bool redraw, const char* message);

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t position_ = 0;

  TPngHeaderInfo header_;
  TColorManager converter_;
  TPngProgress progress_;
  TProgressRect progressRect_;

  ChunkHeader chunk_;
  const uint8_t* chunkData_ = nullptr;  // data of the chunk read last
  uint32_t chunkCrc_ = 0;               // running CRC of the current chunk

  std::unique_ptr<TLZ77Decoder> decoder_;  // only during one load
  const uint8_t* readPointer_ = nullptr;   // first compressed byte not yet inflated
  size_t idatLeft_ = 0;                    // compressed bytes left at readPointer_

  // The two row buffers, kept between pictures.
  std::vector<uint8_t> rowA_, rowB_;
  int filterBytesPerPixel_ = 1;
  bool imageDecoded_ = false;
  // Raw tRNS key samples (grey, or red, green, blue), converted to a colour
  // with the image's own scaling and gamma once the format is known.
  bool hasTransparencyKey_ = false;
  uint16_t transparencyKey_[3] = {};
};

}  // namespace acpng
