#include "reportengine/qrcompress.h"

void TQRCodeTree::InitTree() {
  Up[0] = 0;
  for (int i = 1; i <= 512; ++i)
    Up[i] = static_cast<std::uint8_t>((i - 1) / 2);
  for (int i = 0; i <= 255; ++i) {
    Left[i] = static_cast<std::uint16_t>(2 * i + 1);
    Right[i] = static_cast<std::uint16_t>(2 * i + 2);
  }
}

// Exchanges the node with the sibling of its parent, moving it one level up,
// and goes on from its former grandparent until the root is reached.
void TQRCodeTree::Splay(std::uint8_t value) {
  unsigned a = value + 256u;
  do {
    const unsigned c = Up[a];
    if (c == 0)
      break;
    const unsigned d = Up[c];
    unsigned s = Left[d];
    if (s == c) {
      s = Right[d];
      Right[d] = static_cast<std::uint16_t>(a);
    } else {
      Left[d] = static_cast<std::uint16_t>(a);
    }
    if (Left[c] == a)
      Left[c] = static_cast<std::uint16_t>(s);
    else
      Right[c] = static_cast<std::uint16_t>(s);
    Up[a] = static_cast<std::uint8_t>(d);
    Up[s] = static_cast<std::uint8_t>(c);
    a = d;
  } while (a != 0);
}

namespace {

// The path from the root to a leaf, as right-child flags, root first.
// A leaf lies at most 256 levels deep (one inner node per level).
struct CodePath {
  bool Flags[300];
  int Length = 0;
};

void PathOf(const TQRCodeTree& tree, std::uint8_t value, CodePath& path) {
  bool reversed[300];
  int n = 0;
  unsigned a = value + 256u;
  do {
    const unsigned u = tree.Up[a];
    reversed[n++] = tree.Right[u] == a;
    a = u;
  } while (a != 0);
  path.Length = n;
  for (int i = 0; i < n; ++i)
    path.Flags[i] = reversed[n - 1 - i];
}

}  // namespace

TQRCompress::TQRCompress(TStream* stream, bool compressMode)
    : stream_(stream), compressMode_(compressMode), bitPos_(compressMode ? 0 : 7) {}

TQRCompress::~TQRCompress() {
  if (compressMode_ && bitPos_ != 0) {
    const std::uint8_t last = static_cast<std::uint8_t>(outByte_);
    try {
      stream_->Write(&last, 1);
    } catch (...) {
      // A destructor must not throw; a failing stream has already failed the
      // page's earlier writes, which the page list reports.
    }
  }
}

void TQRCompress::CompressByte(std::uint8_t value) {
  CodePath path;
  PathOf(tree_, value, path);
  for (int i = 0; i < path.Length; ++i) {
    if (path.Flags[i])
      outByte_ |= static_cast<std::uint16_t>(1u << bitPos_);
    if (bitPos_ == 7) {
      const std::uint8_t full = static_cast<std::uint8_t>(outByte_);
      stream_->WriteBuffer(&full, 1);
      bitPos_ = 0;
      outByte_ = 0;
    } else {
      ++bitPos_;
    }
  }
  tree_.Splay(value);
}

std::uint8_t TQRCompress::ExpandByte() {
  unsigned a = 0;
  do {
    if (bitPos_ == 7) {
      std::uint8_t next;
      if (stream_->Read(&next, 1) == 1)
        inByte_ = next;
      bitPos_ = 0;
    } else {
      ++bitPos_;
    }
    a = (inByte_ & (1u << bitPos_)) ? tree_.Right[a] : tree_.Left[a];
  } while (a <= 255);
  const std::uint8_t value = static_cast<std::uint8_t>(a - 256);
  tree_.Splay(value);
  return value;
}

std::vector<std::uint8_t> QRCompressBlock(const std::uint8_t* data, std::size_t count) {
  TQRCodeTree tree;
  std::vector<std::uint8_t> out;
  out.reserve(count);
  CodePath path;
  unsigned bitPos = 0;
  unsigned outByte = 0;
  for (std::size_t k = 0; k < count; ++k) {
    PathOf(tree, data[k], path);
    for (int i = 0; i < path.Length; ++i) {
      outByte |= static_cast<unsigned>(path.Flags[i]) << bitPos;
      if (++bitPos == 8) {
        out.push_back(static_cast<std::uint8_t>(outByte));
        bitPos = 0;
        outByte = 0;
      }
    }
    tree.Splay(data[k]);
  }
  if (bitPos != 0)
    out.push_back(static_cast<std::uint8_t>(outByte));
  return out;
}

bool QRExpandBlock(const std::uint8_t* coded, std::size_t codedSize, std::size_t count,
                   std::uint8_t* out) {
  TQRCodeTree tree;
  std::size_t next = 0;
  unsigned bitPos = 7;
  unsigned inByte = 0;
  for (std::size_t k = 0; k < count; ++k) {
    unsigned a = 0;
    do {
      if (bitPos == 7) {
        if (next == codedSize)
          return false;
        inByte = coded[next++];
        bitPos = 0;
      } else {
        ++bitPos;
      }
      a = ((inByte >> bitPos) & 1u) ? tree.Right[a] : tree.Left[a];
    } while (a <= 255);
    out[k] = static_cast<std::uint8_t>(a - 256);
    tree.Splay(out[k]);
  }
  return true;
}
