#include "reportengine/qrcompress.h"

#include <cstring>

void TQRCodeTree::InitTree() {
  Up[0] = 0;
  for (int i = 1; i <= 512; ++i)
    Up[i] = static_cast<std::uint8_t>((i - 1) / 2);
  for (int i = 0; i < 512; ++i)
    Child[i] = static_cast<std::uint16_t>(i + 1);  // left 2n + 1, right 2n + 2
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
    // The parent's sibling s takes a's place under c; a takes s's under d.
    const unsigned parentIsLeft = Child[2 * d] == c;
    const unsigned s = Child[2 * d + parentIsLeft];
    Child[2 * d + parentIsLeft] = static_cast<std::uint16_t>(a);
    Child[2 * c + (Child[2 * c] != a)] = static_cast<std::uint16_t>(s);
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
    reversed[n++] = tree.Child[2 * u + 1] == a;
    a = u;
  } while (a != 0);
  path.Length = n;
  for (int i = 0; i < n; ++i)
    path.Flags[i] = reversed[n - 1 - i];
}

// Hands out the coded bits from the least significant bit of each byte up,
// eight bytes at a time where eight are left.
class BitSource {
public:
  BitSource(const std::uint8_t* coded, std::size_t size) : coded_(coded), size_(size) {}

  // False when no coded byte is left to take the next bit from.
  bool Refill() {
    if (next_ == size_)
      return false;
    if (size_ - next_ >= 8) {
      std::uint64_t word = 0;
      for (int i = 7; i >= 0; --i)
        word = (word << 8) | coded_[next_ + static_cast<std::size_t>(i)];
      bits_ = word;
      left_ = 64;
      next_ += 8;
    } else {
      bits_ = coded_[next_++];
      left_ = 8;
    }
    return true;
  }
  bool Empty() const { return left_ == 0; }
  unsigned Take() {
    const unsigned bit = static_cast<unsigned>(bits_ & 1u);
    bits_ >>= 1;
    --left_;
    return bit;
  }
  // Coded bytes whose bits were taken, a partly taken byte counting whole.
  std::size_t Used() const { return next_ - static_cast<std::size_t>(left_ / 8); }

private:
  const std::uint8_t* coded_;
  std::size_t size_;
  std::size_t next_ = 0;
  std::uint64_t bits_ = 0;
  int left_ = 0;
};

// The decoder's side of the splay. Decoding walks from the root down, so it
// knows the path the splay walks back up: at each level the child slot it
// took (2n for the left child of node n, 2n + 1 for the right one). Each step
// exchanges the node with its parent's sibling and goes on two levels higher;
// the levels above a step are not touched by it, so the recorded path stays
// true all the way up, and no step waits for another's parent look-up. (The
// parent links are left as they are: a decoder never reads them.)
void SplayAlongPath(std::uint16_t* child, const std::uint16_t* slots, int level, unsigned leaf) {
  unsigned a = leaf;
  for (; level >= 2; level -= 2) {
    const unsigned uncle = slots[level - 2] ^ 1u;  // the other child of the grandparent
    const std::uint16_t s = child[uncle];
    child[uncle] = static_cast<std::uint16_t>(a);
    child[slots[level - 1]] = s;
    a = slots[level - 2] >> 1;
  }
}

}  // namespace

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
                   std::uint8_t* out, std::size_t* used) {
  TQRCodeTree tree;
  BitSource bits(coded, codedSize);
  std::uint16_t slots[300];  // the child slots taken by the byte being decoded, root first
  for (std::size_t k = 0; k < count; ++k) {
    unsigned a = 0;
    int level = 0;
    do {
      if (bits.Empty() && !bits.Refill())
        return false;
      const unsigned slot = 2 * a + bits.Take();
      slots[level++] = static_cast<std::uint16_t>(slot);
      a = tree.Child[slot];
    } while (a <= 255);
    out[k] = static_cast<std::uint8_t>(a - 256);
    SplayAlongPath(tree.Child, slots, level, a);
  }
  if (used)
    *used = bits.Used();
  return true;
}
