#pragma once
// The octree quantizer: an optimized palette of at most n colours for a picture, made by
// merging the deepest, most recently made branches whenever the tree holds more leaves.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "gif/ColorLookup.h"

namespace gif {

struct TOctreeNode {
    bool leaf = false;
    std::uint64_t count = 0;
    std::uint64_t red = 0, green = 0, blue = 0;  // 64 bits: sums of pictures beyond 16 megapixels
    TOctreeNode* nextReducible = nullptr;
    std::array<std::unique_ptr<TOctreeNode>, 8> children;
};

class TColorQuantizer {
public:
    static constexpr int ColorBits = 8;
    explicit TColorQuantizer(int maxColors);
    void AddColor(TRgb color);
    // The leaves depth-first, children in index order; each the mean of its colours.
    std::vector<TRgb> Palette() const;
    int LeafCount() const { return leafCount_; }

private:
    std::unique_ptr<TOctreeNode> MakeNode(int level);
    void Reduce();

    std::unique_ptr<TOctreeNode> root_;
    int leafCount_ = 0;
    int maxColors_;
    std::array<TOctreeNode*, ColorBits> reducible_{};
};

}  // namespace gif
