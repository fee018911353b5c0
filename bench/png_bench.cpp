// bench-deps: dozuri_png png
// Decode time of the PNG reader side by side with libpng decoding the same
// files in the same run, into the same layout (BGR(A) rows, indices as they
// are, 16-bit samples scaled to 8, grey with alpha without its alpha, gamma
// applied where the file has gAMA). Goal: the reader within 1.2 times of
// libpng on every PngSuite kind and on flat label-like pictures.
//
// Cases: each PngSuite kind (all its files decoded in turn, the damaged x*
// files left out; the folder is DOZURI_PNGSUITE or the shared data folder found
// at configure time), flat label-like pictures (few colours, large even areas)
// and 2-megapixel photo-like pictures.
#include <png.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/png/pngreader.h"

namespace {

using Bytes = std::vector<uint8_t>;

// --- Writing the generated pictures --------------------------------------------------

void AppendToBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

struct Picture {
  uint32_t Width, Height;
  int Depth, ColourType;
  std::vector<Bytes> Rows;  // packed PNG rows
  std::vector<png_color> Palette;
};

Bytes Encode(Picture& p) {
  std::vector<png_bytep> pointers;
  for (Bytes& r : p.Rows) pointers.push_back(r.data());
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  Bytes out;
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng write");
  png_set_write_fn(png, &out, AppendToBytes, nullptr);
  png_set_IHDR(png, info, p.Width, p.Height, p.Depth, p.ColourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!p.Palette.empty()) png_set_PLTE(png, info, p.Palette.data(), int(p.Palette.size()));
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A photo-like picture: smooth gradients, soft shapes and a little noise, so
// the encoder's adaptive filtering picks a mix of filters.
Bytes Photo(int colourType) {
  constexpr uint32_t w = 1920, h = 1080;
  const int channels = colourType == PNG_COLOR_TYPE_RGB ? 3 : colourType == PNG_COLOR_TYPE_RGBA ? 4 : 1;
  Picture p{w, h, 8, colourType, std::vector<Bytes>(h, Bytes(size_t(w) * channels)), {}};
  uint32_t noise = 1;
  auto sample = [&](uint32_t x, uint32_t y, int c) {
    noise = noise * 1664525u + 1013904223u;
    const double fx = x / double(w), fy = y / double(h);
    const double wave = std::sin(fx * 9 + c) * std::cos(fy * 7 - c) * 60;
    return uint8_t(std::clamp(100 + 80 * fx * (c + 1) / 3 + 50 * fy + wave + double((noise >> 28) & 7), 0.0, 255.0));
  };
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x)
      for (int c = 0; c < channels; ++c) {
        uint8_t v = sample(x, y, c);
        if (colourType == PNG_COLOR_TYPE_PALETTE) v = uint8_t((sample(x, y, 0) / 32) * 32 + sample(x, y, 2) / 8);
        if (c == 3) v = uint8_t(255 - (x * 255 / w));
        p.Rows[y][size_t(x) * channels + size_t(c)] = v;
      }
  if (colourType == PNG_COLOR_TYPE_PALETTE)
    for (int i = 0; i < 256; ++i) p.Palette.push_back(png_color{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)});
  return Encode(p);
}

// What a label shows at 0 (paper), 1 (ink) and 2, 3 (two spot colours): a
// frame, a barcode's bars, blocks of text lines and a coloured price box.
int LabelInk(uint32_t x, uint32_t y, uint32_t w, uint32_t h) {
  if (x < 4 || y < 4 || x >= w - 4 || y >= h - 4) return 1;
  if (y > h / 2 && y < h - 40 && x > 40 && x < w / 2) return ((x * 7 / 3) % 11) < 4 ? 1 : 0;
  if (y > 30 && y < h / 2 - 20 && x > 40 && x < w - 40) return ((y - 30) % 28 < 16 && (x / 9) % 7 != 0) ? 1 : 0;
  if (y > h / 2 + 10 && x > w / 2 + 40 && x < w - 40 && y < h - 40) return (x + y) % 97 < 3 ? 3 : 2;
  return 0;
}

Bytes Label(int colourType, int depth) {
  constexpr uint32_t w = 800, h = 400;
  const png_color colours[4] = {{255, 255, 255}, {0, 0, 0}, {200, 16, 32}, {20, 40, 160}};
  const int channels = colourType == PNG_COLOR_TYPE_RGB ? 3 : colourType == PNG_COLOR_TYPE_RGBA ? 4 : 1;
  Picture p{w, h, depth, colourType, {}, {}};
  for (uint32_t y = 0; y < h; ++y) {
    Bytes row((size_t(w) * channels * depth + 7) / 8, 0);
    for (uint32_t x = 0; x < w; ++x) {
      int ink = LabelInk(x, y, w, h);
      if (depth == 1) {
        if (ink == 0) row[x / 8] |= uint8_t(0x80 >> (x % 8));  // white paper
      } else if (channels == 1) {
        row[x] = uint8_t(ink);
      } else {
        const png_color& c = colours[ink];
        uint8_t* px = &row[size_t(x) * channels];
        px[0] = c.red, px[1] = c.green, px[2] = c.blue;
        if (channels == 4) px[3] = ink == 0 ? 0 : 255;
      }
    }
    p.Rows.push_back(std::move(row));
  }
  if (colourType == PNG_COLOR_TYPE_PALETTE) p.Palette.assign(colours, colours + 4);
  return Encode(p);
}

// --- The PngSuite ------------------------------------------------------------------------

Bytes ReadFile(const std::filesystem::path& name) {
  std::ifstream in(name, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), {});
}

std::string PngSuiteFolder() {
  if (const char* folder = std::getenv("DOZURI_PNGSUITE")) return folder;
  return DOZURI_PNGSUITE;
}

// The suite's own groups, by the first letters of the file names.
const char* KindOf(const std::string& name) {
  if (name.rfind("basn", 0) == 0) return "PngSuite basic";
  if (name.rfind("basi", 0) == 0) return "PngSuite basic interlaced";
  if (name.rfind("bg", 0) == 0) return "PngSuite background";
  if (name[0] == 's') return "PngSuite sizes";
  if (name[0] == 't') return "PngSuite transparency";
  if (name[0] == 'g') return "PngSuite gamma";
  if (name[0] == 'f') return "PngSuite filtering";
  if (name[0] == 'p') return "PngSuite palettes";
  if (name[0] == 'c') return "PngSuite ancillary chunks";
  if (name[0] == 'o') return "PngSuite chunk ordering";
  if (name[0] == 'z') return "PngSuite zlib levels";
  return nullptr;  // x*: damaged on purpose
}

std::map<std::string, std::vector<Bytes>> PngSuiteKinds() {
  std::map<std::string, std::vector<Bytes>> kinds;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(PngSuiteFolder(), error)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".png" || name == "PngSuite.png") continue;
    if (const char* kind = KindOf(name)) kinds[kind].push_back(ReadFile(entry.path()));
  }
  return kinds;
}

// --- libpng into the reader's layout --------------------------------------------------

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

void DecodeWithLibpng(const Bytes& file, Bytes& pixels, std::vector<png_bytep>& rows) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  ReadCursor cursor{&file, 0};
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng read");
  png_set_read_fn(png, &cursor, ReadFromBytes);
  png_read_info(png, info);
  const int colourType = png_get_color_type(png, info);
  if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
  if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_strip_alpha(png);
  if (colourType & PNG_COLOR_MASK_COLOR && colourType != PNG_COLOR_TYPE_PALETTE) png_set_bgr(png);
  double gamma = 0;
  if (png_get_gAMA(png, info, &gamma)) png_set_gamma(png, 2.2, gamma);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const uint32_t height = png_get_image_height(png, info);
  const size_t stride = (png_get_rowbytes(png, info) + 3) / 4 * 4;
  if (pixels.size() < stride * height) pixels.resize(stride * height);
  rows.resize(height);
  for (uint32_t y = 0; y < height; ++y) rows[y] = pixels.data() + stride * y;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

// --- The benchmarks ----------------------------------------------------------------------

void Ours(benchmark::State& state, const std::vector<Bytes>* files) {
  acpng::TPngReader reader;
  acpng::TPngImage image;
  for (auto _ : state)
    for (const Bytes& file : *files) {
      reader.LoadFromMemory(file.data(), file.size(), image);
      benchmark::DoNotOptimize(image.Pixels.data());
    }
}

void Libpng(benchmark::State& state, const std::vector<Bytes>* files) {
  Bytes pixels;
  std::vector<png_bytep> rows;
  for (auto _ : state)
    for (const Bytes& file : *files) {
      DecodeWithLibpng(file, pixels, rows);
      benchmark::DoNotOptimize(pixels.data());
    }
}

// Benchmarks named "Ours/<case>" and "libpng/<case>": make bench pairs them
// into its table of ratios.
void Register(const std::string& name, std::vector<Bytes> files) {
  auto* kept = new std::vector<Bytes>(std::move(files));  // lives as long as the program
  const benchmark::TimeUnit unit = kept->front().size() > 100000 ? benchmark::kMillisecond : benchmark::kMicrosecond;
  benchmark::RegisterBenchmark(("Ours/" + name).c_str(), Ours, kept)->Unit(unit);
  benchmark::RegisterBenchmark(("libpng/" + name).c_str(), Libpng, kept)->Unit(unit);
}

const bool kRegistered = [] {
  benchmark::AddCustomContext("goal", "the PNG reader within 1.2 times of libpng on every case");
  benchmark::AddCustomContext("goal_ratio", "1.2");
  const auto kinds = PngSuiteKinds();
  if (kinds.empty()) std::fprintf(stderr, "no PngSuite at %s: its kinds are left out\n", PngSuiteFolder().c_str());
  for (const auto& [kind, files] : kinds) Register(kind, files);
  Register("label 1-bit grey", {Label(PNG_COLOR_TYPE_GRAY, 1)});
  Register("label 8-bit palette", {Label(PNG_COLOR_TYPE_PALETTE, 8)});
  Register("label RGB", {Label(PNG_COLOR_TYPE_RGB, 8)});
  Register("label RGBA", {Label(PNG_COLOR_TYPE_RGBA, 8)});
  Register("photo RGB 2 MP", {Photo(PNG_COLOR_TYPE_RGB)});
  Register("photo RGBA 2 MP", {Photo(PNG_COLOR_TYPE_RGBA)});
  Register("photo palette 2 MP", {Photo(PNG_COLOR_TYPE_PALETTE)});
  return true;
}();

}  // namespace
