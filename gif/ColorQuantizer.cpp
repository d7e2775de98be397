#include "gif/ColorQuantizer.h"

namespace gif {

TColorQuantizer::TColorQuantizer(int maxColors) : maxColors_(maxColors) {}

std::unique_ptr<TOctreeNode> TColorQuantizer::MakeNode(int level) {
    auto node = std::make_unique<TOctreeNode>();
    if (level == ColorBits) {
        node->leaf = true;
        ++leafCount_;
    } else {
        node->nextReducible = reducible_[std::size_t(level)];
        reducible_[std::size_t(level)] = node.get();
    }
    return node;
}

void TColorQuantizer::AddColor(TRgb color) {
    if (!root_) root_ = MakeNode(0);
    TOctreeNode* node = root_.get();
    for (int level = 0; !node->leaf; ++level) {
        const int shift = 7 - level;
        const int index = ((color.r >> shift) & 1) << 2 | ((color.g >> shift) & 1) << 1 | ((color.b >> shift) & 1);
        auto& child = node->children[std::size_t(index)];
        if (!child) child = MakeNode(level + 1);
        node = child.get();
    }
    ++node->count;
    node->red += color.r;
    node->green += color.g;
    node->blue += color.b;
    while (leafCount_ > maxColors_) Reduce();
}

void TColorQuantizer::Reduce() {
    int level = ColorBits - 1;
    while (level > 0 && !reducible_[std::size_t(level)]) --level;
    TOctreeNode* node = reducible_[std::size_t(level)];
    if (!node) return;
    reducible_[std::size_t(level)] = node->nextReducible;
    int children = 0;
    for (auto& child : node->children) {
        if (!child) continue;
        node->count += child->count;
        node->red += child->red;
        node->green += child->green;
        node->blue += child->blue;
        child.reset();
        ++children;
    }
    node->leaf = true;
    leafCount_ -= children - 1;
}

namespace {
void CollectLeaves(const TOctreeNode& node, std::vector<TRgb>& palette) {
    if (node.leaf) {
        if (node.count == 0) {
            palette.push_back({});
            return;
        }
        palette.push_back({std::uint8_t(node.red / node.count), std::uint8_t(node.green / node.count),
                           std::uint8_t(node.blue / node.count)});
        return;
    }
    for (const auto& child : node.children)
        if (child) CollectLeaves(*child, palette);
}
}  // namespace

std::vector<TRgb> TColorQuantizer::Palette() const {
    std::vector<TRgb> palette;
    if (root_) CollectLeaves(*root_, palette);
    return palette;
}

}  // namespace gif
