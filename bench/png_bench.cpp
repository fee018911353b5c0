// bench-deps: dozuri_png png
// Decode time of 2-megapixel RGB and RGBA images and an 8-bit palette image,
// side by side with libpng decoding the same files in the same run. Goal: the
// reader within 1.5x of libpng.
#include <png.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "support/png/pngreader.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint32_t kWidth = 1920, kHeight = 1080;  // about 2 megapixels

void AppendToBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

// A photo-like picture: smooth gradients, soft shapes and a little noise, so
// the encoder's adaptive filtering picks a mix of filters as it would for
// real pictures.
uint8_t Sample(uint32_t x, uint32_t y, int channel, uint32_t& noise) {
  noise = noise * 1664525u + 1013904223u;
  const double fx = x / double(kWidth), fy = y / double(kHeight);
  const double wave = std::sin(fx * 9 + channel) * std::cos(fy * 7 - channel) * 60;
  const double v = 100 + 80 * fx * (channel + 1) / 3 + 50 * fy + wave + double((noise >> 28) & 7);
  return uint8_t(std::clamp(v, 0.0, 255.0));
}

Bytes EncodeImage(int colourType) {
  const int channels = colourType == PNG_COLOR_TYPE_RGB ? 3 : colourType == PNG_COLOR_TYPE_RGBA ? 4 : 1;
  std::vector<Bytes> rows(kHeight, Bytes(size_t(kWidth) * channels));
  uint32_t noise = 1;
  for (uint32_t y = 0; y < kHeight; ++y)
    for (uint32_t x = 0; x < kWidth; ++x)
      for (int c = 0; c < channels; ++c) {
        uint8_t v = Sample(x, y, c, noise);
        if (colourType == PNG_COLOR_TYPE_PALETTE) v = uint8_t((Sample(x, y, 0, noise) / 32) * 32 + Sample(x, y, 2, noise) / 8);
        if (c == 3) v = uint8_t(255 - (x * 255 / kWidth));
        rows[y][size_t(x) * channels + size_t(c)] = v;
      }
  std::vector<png_bytep> pointers;
  for (Bytes& r : rows) pointers.push_back(r.data());
  std::vector<png_color> palette(256);
  for (int i = 0; i < 256; ++i) palette[size_t(i)] = png_color{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  Bytes out;
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng write");
  png_set_write_fn(png, &out, AppendToBytes, nullptr);
  png_set_IHDR(png, info, kWidth, kHeight, 8, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette.data(), 256);
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

const Bytes& File(int colourType) {
  static const Bytes rgb = EncodeImage(PNG_COLOR_TYPE_RGB);
  static const Bytes rgba = EncodeImage(PNG_COLOR_TYPE_RGBA);
  static const Bytes indexed = EncodeImage(PNG_COLOR_TYPE_PALETTE);
  return colourType == PNG_COLOR_TYPE_RGB ? rgb : colourType == PNG_COLOR_TYPE_RGBA ? rgba : indexed;
}

struct ReadCursor {
  const Bytes* Data;
  size_t Position;
};

void ReadFromBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* c = static_cast<ReadCursor*>(png_get_io_ptr(png));
  if (c->Position + size > c->Data->size()) png_error(png, "read past the end");
  std::memcpy(data, c->Data->data() + c->Position, size);
  c->Position += size;
}

// libpng into the same layout the reader produces: BGR(A) rows, indices as they are.
void DecodeWithLibpng(const Bytes& file, Bytes& pixels) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  ReadCursor cursor{&file, 0};
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng read");
  png_set_read_fn(png, &cursor, ReadFromBytes);
  png_read_info(png, info);
  if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE) png_set_bgr(png);
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  const size_t stride = (rowBytes + 3) / 4 * 4;
  pixels.resize(stride * kHeight);
  std::vector<png_bytep> rows(kHeight);
  for (uint32_t y = 0; y < kHeight; ++y) rows[y] = pixels.data() + stride * y;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

void BM_Reader(benchmark::State& state) {
  const Bytes& file = File(int(state.range(0)));
  acpng::TPngReader reader;
  acpng::TPngImage image;
  for (auto _ : state) {
    reader.LoadFromMemory(file.data(), file.size(), image);
    benchmark::DoNotOptimize(image.Pixels.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kWidth * kHeight);
}

void BM_Libpng(benchmark::State& state) {
  const Bytes& file = File(int(state.range(0)));
  Bytes pixels;
  for (auto _ : state) {
    DecodeWithLibpng(file, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kWidth * kHeight);
}

}  // namespace

BENCHMARK(BM_Reader)->Arg(PNG_COLOR_TYPE_RGB)->Arg(PNG_COLOR_TYPE_RGBA)->Arg(PNG_COLOR_TYPE_PALETTE)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libpng)->Arg(PNG_COLOR_TYPE_RGB)->Arg(PNG_COLOR_TYPE_RGBA)->Arg(PNG_COLOR_TYPE_PALETTE)->Unit(benchmark::kMillisecond);
