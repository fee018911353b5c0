#include "support/png/samplerows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace acpng {
namespace {

// Reads the samples of one source pixel after another, interleaved or planar,
// 8 or 16 bits each (16-bit values byte-swapped when the source says so).
class SourceCursor {
public:
  SourceCursor(TSampleSources sources, unsigned samplesPerPixel, unsigned sampleBytes, bool swap)
      : planar_(sources.size() > 1), planes_(std::min<size_t>(sources.size(), 4)),
        step_(samplesPerPixel * sampleBytes), bytes_(sampleBytes), swap_(swap) {
    for (unsigned k = 0; k < planes_; ++k) at_[k] = sources[k];
  }

  uint32_t Sample(unsigned k) const {
    const uint8_t* p = Address(k);
    if (bytes_ == 1) return *p;
    return swap_ ? (uint32_t(p[0]) << 8 | p[1]) : (uint32_t(p[1]) << 8 | p[0]);
  }
  // The first stored byte of sample k, whatever its width.
  uint8_t FirstByte(unsigned k) const { return *Address(k); }

  void Next() {
    if (!planar_) {
      at_[0] += step_;
      return;
    }
    for (unsigned k = 0; k < planes_; ++k) at_[k] += bytes_;
  }

private:
  const uint8_t* Address(unsigned k) const { return planar_ ? at_[k] : at_[0] + k * bytes_; }

  bool planar_;
  unsigned planes_;
  unsigned step_;
  unsigned bytes_;
  bool swap_;
  const uint8_t* at_[4] = {};
};

// Calls fn(column) for every target column whose mask bit is set.
template <class Fn>
void ForEachMaskedColumn(unsigned count, uint8_t mask, Fn&& fn) {
  if (mask == 0xFF) {
    for (unsigned i = 0; i < count; ++i) fn(i);
    return;
  }
  uint8_t bit = 0x80;
  for (unsigned i = 0; i < count; ++i) {
    if (mask & bit) fn(i);
    bit = bit == 1 ? 0x80 : uint8_t(bit >> 1);
  }
}

void WriteWord(uint8_t* p, uint32_t w, bool bigEndian) {
  if (bigEndian) {
    p[0] = uint8_t(w >> 8);
    p[1] = uint8_t(w);
  } else {
    p[0] = uint8_t(w);
    p[1] = uint8_t(w >> 8);
  }
}

uint32_t Widen8(uint32_t v) { return v * 65535 / 255; }
uint8_t Clamp8(long v) { return uint8_t(std::clamp<long>(v, 0, 255)); }
bool IsWholeByteDepth(uint8_t bits) { return bits == 8 || bits == 16; }

// Packed sub-byte samples, most significant bits first, 8 div bits per byte.
struct PackedLayout {
  explicit PackedLayout(unsigned bits) : Bits(bits), PerByte(8 / bits), Max((1u << bits) - 1) {}
  unsigned Bits, PerByte, Max;
  size_t ByteOf(size_t i) const { return i / PerByte; }
  unsigned ShiftOf(size_t i) const { return 8 - Bits * unsigned(i % PerByte + 1); }
  uint32_t Read(const uint8_t* row, size_t i) const { return (row[ByteOf(i)] >> ShiftOf(i)) & Max; }
  void Write(uint8_t* row, size_t i, uint32_t v) const {
    uint8_t& b = row[ByteOf(i)];
    unsigned shift = ShiftOf(i);
    b = uint8_t((b & ~(Max << shift)) | ((v & Max) << shift));
  }
};

// --- RGB and BGR sources -----------------------------------------------------

// The common 8-bit interleaved case without a mask, kept tight for speed.
template <unsigned InS, unsigned OutS, bool Reverse, bool Gamma>
void ColourRow8(const uint8_t* s, uint8_t* t, unsigned count, const uint8_t* g) {
  for (unsigned i = 0; i < count; ++i, s += InS, t += OutS) {
    uint8_t c0 = s[0], c1 = s[1], c2 = s[2];
    if constexpr (Gamma) {
      c0 = g[c0];
      c1 = g[c1];
      c2 = g[c2];
    }
    if constexpr (Reverse) {
      t[0] = c2;
      t[1] = c1;
      t[2] = c0;
    } else {
      t[0] = c0;
      t[1] = c1;
      t[2] = c2;
    }
    if constexpr (InS == 4 && OutS == 4) t[3] = s[3];
  }
}

template <unsigned InS, unsigned OutS, bool Reverse>
void DispatchColourRow8(const uint8_t* s, uint8_t* t, unsigned count, const uint8_t* g) {
  if (g)
    ColourRow8<InS, OutS, Reverse, true>(s, t, count, g);
  else
    ColourRow8<InS, OutS, Reverse, false>(s, t, count, g);
}

template <bool Reverse>
void FastColourRow8(unsigned inS, unsigned outS, const uint8_t* s, uint8_t* t, unsigned count, const uint8_t* g) {
  if (inS == 3 && outS == 3) DispatchColourRow8<3, 3, Reverse>(s, t, count, g);
  if (inS == 3 && outS == 4) DispatchColourRow8<3, 4, Reverse>(s, t, count, g);
  if (inS == 4 && outS == 3) DispatchColourRow8<4, 3, Reverse>(s, t, count, g);
  if (inS == 4 && outS == 4) DispatchColourRow8<4, 4, Reverse>(s, t, count, g);
}

// Three colour samples with optional alpha into three or four target samples.
// SourceBgr and TargetBgr give the order of the colour samples on each side.
template <bool SourceBgr, bool TargetBgr>
void ColourRow(const TSampleRowContext& c, TSampleSources sources, uint8_t* target, unsigned count, uint8_t mask) {
  if (!IsWholeByteDepth(c.InBits) || !IsWholeByteDepth(c.OutBits) || sources.empty()) return;
  const bool inAlpha = c.InOptions & soAlpha, outAlpha = c.OutOptions & soAlpha;
  const unsigned inS = 3 + inAlpha, outS = 3 + outAlpha;
  const bool swap = c.InOptions & soSwap16;
  const uint8_t* gamma = (c.OutOptions & soGamma) ? c.GammaTable : nullptr;
  constexpr bool reverse = SourceBgr != TargetBgr;

  if (c.InBits == 8 && c.OutBits == 8 && mask == 0xFF && sources.size() == 1) {
    FastColourRow8<reverse>(inS, outS, sources[0], target, count, gamma);
    return;
  }

  SourceCursor src(sources, inS, c.InBits / 8, swap);
  // A colour sample as an 8-bit value after scaling and gamma.
  auto colour8 = [&](uint32_t raw) -> uint32_t {
    uint32_t v = c.InBits == 16 ? ScaleSample16(raw) : raw;
    return gamma ? gamma[v] : v;
  };
  const bool copyAlpha = inAlpha && outAlpha;
  ForEachMaskedColumn(count, mask, [&](unsigned i) {
    uint32_t v[3] = {src.Sample(0), src.Sample(1), src.Sample(2)};
    if (reverse) std::swap(v[0], v[2]);
    if (c.OutBits == 8) {
      uint8_t* t = target + size_t(i) * outS;
      for (unsigned k = 0; k < 3; ++k) t[k] = uint8_t(colour8(v[k]));
      if (copyAlpha) t[3] = uint8_t(c.InBits == 16 ? ScaleSample16(src.Sample(3)) : src.Sample(3));
    } else {
      uint8_t* t = target + size_t(i) * outS * 2;
      for (unsigned k = 0; k < 3; ++k) {
        if (c.InBits == 8)
          WriteWord(t + 2 * k, Widen8(gamma ? gamma[v[k]] : v[k]), swap);
        else
          WriteWord(t + 2 * k, v[k], false);
      }
      if (copyAlpha) {
        if (c.InBits == 8)
          WriteWord(t + 6, Widen8(src.Sample(3)), swap);
        else
          WriteWord(t + 6, src.Sample(3), false);
      }
    }
    src.Next();
  });
}

// --- Colour models computed per pixel (CMYK, L*a*b*, YCbCr) --------------------

// Writes one pixel given as 8-bit red, green, blue into a 3- or 4-sample
// target of 8 or 16 bits; the alpha sample is skipped untouched. Wide16 holds
// the 16-bit values to store instead when the target is 16 bits.
struct PixelWriter {
  PixelWriter(const TSampleRowContext& c, uint8_t* target, bool bgr)
      : target_(target), samples_(3 + ((c.OutOptions & soAlpha) ? 1 : 0)), wide_(c.OutBits == 16), bgr_(bgr) {}

  void Write(unsigned column, const uint32_t rgb[3]) const {
    const unsigned order[3] = {bgr_ ? 2u : 0u, 1u, bgr_ ? 0u : 2u};
    if (wide_) {
      uint8_t* t = target_ + size_t(column) * samples_ * 2;
      for (unsigned k = 0; k < 3; ++k) WriteWord(t + 2 * k, rgb[order[k]], false);
    } else {
      uint8_t* t = target_ + size_t(column) * samples_;
      for (unsigned k = 0; k < 3; ++k) t[k] = uint8_t(rgb[order[k]]);
    }
  }

  uint8_t* target_;
  unsigned samples_;
  bool wide_;
  bool bgr_;
};

void CmykRow(const TSampleRowContext& c, TSampleSources sources, uint8_t* target, unsigned count, uint8_t mask,
             bool bgr) {
  if (!IsWholeByteDepth(c.InBits) || !IsWholeByteDepth(c.OutBits) || sources.empty()) return;
  SourceCursor src(sources, 4, c.InBits / 8, c.InOptions & soSwap16);
  PixelWriter out(c, target, bgr);
  ForEachMaskedColumn(count, mask, [&](unsigned i) {
    const int64_t k = src.Sample(3);
    uint32_t rgb[3];
    for (unsigned n = 0; n < 3; ++n) {
      const int64_t x = src.Sample(n);
      if (c.InBits == 8) {
        uint32_t v8 = Clamp8(long(255 - (x + k - x * k / 255)));
        rgb[n] = c.OutBits == 16 ? Widen8(v8) : v8;
      } else if (c.OutBits == 8) {
        rgb[n] = Clamp8(long(255 - (x + k - x * k / 65535) * 255 / 65535));
      } else {
        rgb[n] = uint16_t(x * k / 65535 - x - k - 1);
      }
    }
    out.Write(i, rgb);
    src.Next();
  });
}

uint32_t LabChannel(double v) { return Clamp8(std::lrint(v * 255)); }

void LabRow(const TSampleRowContext& c, TSampleSources sources, uint8_t* target, unsigned count, uint8_t mask,
            bool bgr) {
  if (!IsWholeByteDepth(c.InBits) || !IsWholeByteDepth(c.OutBits) || sources.empty()) return;
  SourceCursor src(sources, 3, c.InBits / 8, c.InOptions & soSwap16);
  PixelWriter out(c, target, bgr);
  const bool lByte = c.InOptions & soLabLByte, offset = c.InOptions & soLabChromaOffset;
  ForEachMaskedColumn(count, mask, [&](unsigned i) {
    double l = src.Sample(0);
    if (lByte) l /= 2.55;
    double a, b;
    if (offset) {
      a = double(src.Sample(1)) - 128;
      b = double(src.Sample(2)) - 128;
    } else {
      a = int8_t(src.FirstByte(1));
      b = int8_t(src.FirstByte(2));
    }
    double x, y, z;
    if (l < 7.9996) {
      y = l / 903.3;
      x = y + a / 3893.5;
      z = y - b / 1557.4;
    } else {
      const double fy = (l + 16) / 116;
      y = fy * fy * fy;
      x = std::pow(fy + a / 500, 3);
      z = std::pow(fy - b / 200, 3);
    }
    uint32_t rgb[3] = {LabChannel(2.998 * x - 1.458 * y - 0.541 * z), LabChannel(-0.952 * x + 1.893 * y + 0.059 * z),
                       LabChannel(0.099 * x - 0.198 * y + 1.099 * z)};
    if (c.OutBits == 16 && c.InBits == 8)
      for (uint32_t& v : rgb) v = Widen8(v);
    out.Write(i, rgb);
    src.Next();
  });
}

void YccRow(const TSampleRowContext& c, TSampleSources sources, uint8_t* target, unsigned count, uint8_t mask,
            bool bgr) {
  if (!IsWholeByteDepth(c.InBits) || !IsWholeByteDepth(c.OutBits) || sources.empty() || !c.CrToRed) return;
  SourceCursor src(sources, 3, c.InBits / 8, c.InOptions & soSwap16);
  PixelWriter out(c, target, bgr);
  ForEachMaskedColumn(count, mask, [&](unsigned i) {
    uint32_t rgb[3];
    if (c.InBits == 16 && c.OutBits == 16) {
      const double y = src.Sample(0) * 1.3584;
      const double c1 = double(src.Sample(1)) - 40092, c2 = double(src.Sample(2)) - 35209;
      rgb[2] = uint16_t(std::lrint(y + 2.2179 * c1));
      rgb[1] = uint16_t(std::lrint(y - 0.9271435 * c2 - 0.4302726 * c1));
      rgb[0] = uint16_t(std::lrint(y + 1.8215 * c2));
    } else {
      auto narrow = [&](unsigned k) { return c.InBits == 16 ? ScaleSample16(src.Sample(k)) : uint32_t(src.Sample(k)); };
      const long y = long(narrow(0));
      const uint32_t cb = narrow(1), cr = narrow(2);
      rgb[2] = Clamp8(y + c.CbToBlue[cb]);
      rgb[1] = Clamp8(y + c.CbToGreen[cb] + c.CrToGreen[cr]);
      rgb[0] = Clamp8(y + c.CrToRed[cr]);
      if (c.OutBits == 16)
        for (uint32_t& v : rgb) v = Widen8(v);
    }
    out.Write(i, rgb);
    src.Next();
  });
}

}  // namespace

void RgbToBgrRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  ColourRow<false, true>(c, s, t, n, m);
}
void RgbToRgbRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  ColourRow<false, false>(c, s, t, n, m);
}
void BgrToBgrRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  ColourRow<true, true>(c, s, t, n, m);
}
void BgrToRgbRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  ColourRow<true, false>(c, s, t, n, m);
}

void GreyRow(const TSampleRowContext& c, TSampleSources sources, uint8_t* target, unsigned count, uint8_t mask) {
  if (!IsWholeByteDepth(c.InBits) || !IsWholeByteDepth(c.OutBits) || sources.empty()) return;
  const bool inAlpha = c.InOptions & soAlpha;
  SourceCursor src(sources, 1 + inAlpha, c.InBits / 8, c.InOptions & soSwap16);
  if (c.InBits == 8 && c.OutBits == 8 && mask == 0xFF && sources.size() == 1) {
    const uint8_t* s = sources[0];
    const unsigned step = 1 + inAlpha;
    for (unsigned i = 0; i < count; ++i) target[i] = s[size_t(i) * step];
    return;
  }
  ForEachMaskedColumn(count, mask, [&](unsigned i) {
    const uint32_t v = src.Sample(0);
    if (c.OutBits == 8)
      target[i] = uint8_t(c.InBits == 16 ? ScaleSample16(v) : v);
    else
      WriteWord(target + 2 * size_t(i), c.InBits == 8 ? Widen8(v) : v, false);
    src.Next();
  });
}

void IndexRepackRow(const TSampleRowContext& c, TSampleSources sources, uint8_t* target, unsigned count,
                    uint8_t mask) {
  if (c.InBits < 1 || c.InBits > 8 || c.OutBits < 1 || c.OutBits > 8 || sources.empty()) return;
  if (c.InBits == c.OutBits && mask == 0xFF) {
    std::memcpy(target, sources[0], (size_t(count) * c.InBits + 7) / 8);
    return;
  }
  const PackedLayout in(c.InBits), out(c.OutBits);
  const uint8_t* s = sources[0];
  size_t next = 0;
  ForEachMaskedColumn(count, mask, [&](unsigned i) {
    out.Write(target, i, in.Read(s, next++) * out.Max / in.Max);
  });
}

void Index16Row(const TSampleRowContext& c, TSampleSources sources, uint8_t* target, unsigned count, uint8_t mask) {
  if (sources.empty()) return;
  const bool swap = c.InOptions & soSwap16;
  if (!swap && mask == 0xFF && sources.size() == 1) {
    std::memcpy(target, sources[0], size_t(count) * 2);
    return;
  }
  SourceCursor src(sources, 1, 2, swap);
  ForEachMaskedColumn(count, mask, [&](unsigned i) {
    WriteWord(target + 2 * size_t(i), src.Sample(0), false);
    src.Next();
  });
}

void Index16NarrowRow(const TSampleRowContext& c, TSampleSources sources, uint8_t* target, unsigned count,
                      uint8_t mask) {
  if (c.OutBits < 1 || c.OutBits > 8 || sources.empty()) return;
  const PackedLayout out(c.OutBits);
  SourceCursor src(sources, 1, 2, c.InOptions & soSwap16);
  ForEachMaskedColumn(count, mask, [&](unsigned i) {
    out.Write(target, i, src.Sample(0) * out.Max / 65535);
    src.Next();
  });
}

void IndexWidenRow(const TSampleRowContext& c, TSampleSources sources, uint8_t* target, unsigned count,
                   uint8_t mask) {
  if (c.InBits < 1 || c.InBits > 8 || sources.empty()) return;
  const PackedLayout in(c.InBits);
  const bool swap = c.InOptions & soSwap16;
  const uint8_t* s = sources[0];
  size_t next = 0;
  ForEachMaskedColumn(count, mask, [&](unsigned i) {
    WriteWord(target + 2 * size_t(i), in.Read(s, next++) * 65535 / in.Max, swap);
  });
}

void CmykToBgrRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  CmykRow(c, s, t, n, m, true);
}
void CmykToRgbRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  CmykRow(c, s, t, n, m, false);
}
void LabToBgrRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  LabRow(c, s, t, n, m, true);
}
void LabToRgbRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  LabRow(c, s, t, n, m, false);
}
void YCbCrToBgrRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  YccRow(c, s, t, n, m, true);
}
void YCbCrToRgbRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  YccRow(c, s, t, n, m, false);
}
void PhotoYccToBgrRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  YccRow(c, s, t, n, m, true);
}
void PhotoYccToRgbRow(const TSampleRowContext& c, TSampleSources s, uint8_t* t, unsigned n, uint8_t m) {
  YccRow(c, s, t, n, m, false);
}

}  // namespace acpng
