#include "reportengine/printer/qrpapers.h"

#include <array>

#include "classlib/system/mathutils.h"

namespace {

// Width x length in millimetres of the paper sizes 1..68, in code order.
constexpr std::array<TQRPaperDimensions, 68> kPaperTable{{
    {215.9L, 279.4L},  {215.9L, 279.4L},  {279.4L, 431.8L},  {431.8L, 279.4L},  {215.9L, 355.6L},
    {139.7L, 215.9L},  {190.5L, 254L},    {297L, 420L},      {210L, 297L},      {210L, 297L},
    {148L, 210L},      {250L, 354L},      {182L, 257L},      {215.9L, 330.2L},  {215L, 275L},
    {254L, 355.6L},    {279.4L, 431.8L},  {215.9L, 279.4L},  {98.43L, 225.4L},  {104.8L, 241.3L},
    {114.3L, 263.5L},  {120.7L, 279.4L},  {127L, 292.1L},    {431.8L, 558.8L},  {558.8L, 863.6L},
    {863.6L, 1117.6L}, {110L, 220L},      {162L, 229L},      {324L, 458L},      {229L, 324L},
    {114L, 162L},      {114L, 229L},      {250L, 353L},      {176L, 250L},      {176L, 125L},
    {110L, 230L},      {98.43L, 190.5L},  {92.01L, 165.1L},  {377.8L, 279.4L},  {215.9L, 304.8L},
    {215.9L, 330.2L},  {250L, 353L},      {100L, 148L},      {228.6L, 279.4L},  {254L, 279.4L},
    {381L, 279.4L},    {220L, 220L},      {100L, 100L},      {100L, 100L},      {241.3L, 304.8L},
    {241.3L, 381L},    {296.9L, 457.2L},  {236L, 322L},      {279.4L, 215.9L},  {297L, 210L},
    {304.8L, 241.3L},  {227L, 356L},      {305L, 487L},      {215.9L, 322.3L},  {210L, 330L},
    {210L, 148L},      {257L, 182L},      {322L, 445L},      {174L, 235L},      {201L, 276L},
    {420L, 594L},      {420L, 297L},      {445L, 322L},
}};

// Device source codes of the bins, in TQRBin order.
constexpr std::array<int, QRBinCount> kBinCodes{1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 14};

int TenthsOf(long double millimetres) {
  return static_cast<int>(Round(static_cast<double>(millimetres * 10)));
}

}  // namespace

bool IsStandardPaperSize(TQRPaperSize size) {
  int n = static_cast<int>(size);
  return n >= 1 && n <= 68;
}

TQRPaperDimensions PaperDimensions(TQRPaperSize size) {
  if (!IsStandardPaperSize(size))
    return {0, 0};
  return kPaperTable[static_cast<std::size_t>(size) - 1];
}

int PaperWidthOf(TQRPaperSize size) {
  return TenthsOf(PaperDimensions(size).Width);
}

int PaperLengthOf(TQRPaperSize size) {
  return TenthsOf(PaperDimensions(size).Length);
}

int PaperSizeCode(TQRPaperSize size) {
  return size == TQRPaperSize::Custom ? QRUserPaperCode : static_cast<int>(size);
}

bool PaperSizeOfCode(int code, TQRPaperSize& size) {
  for (int i = 0; i < QRPaperSizeCount; ++i) {
    if (PaperSizeCode(static_cast<TQRPaperSize>(i)) == code) {
      size = static_cast<TQRPaperSize>(i);
      return true;
    }
  }
  return false;
}

int BinCode(TQRBin bin) {
  auto n = static_cast<std::size_t>(bin);
  return n < kBinCodes.size() ? kBinCodes[n] : 0;
}

bool BinOfCode(int code, TQRBin& bin) {
  for (std::size_t i = 0; i < kBinCodes.size(); ++i) {
    if (kBinCodes[i] == code) {
      bin = static_cast<TQRBin>(i);
      return true;
    }
  }
  return false;
}
