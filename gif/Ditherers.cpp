#include "gif/Ditherers.h"

#include <algorithm>

namespace gif {

int TDitherEngine::DitherColor(TRgb color, TRgb& found) {
    const int index = lookup_.LookupColor(color, found);
    Step();
    return index;
}

void TDitherEngine::NextRow() {
    direction_ = -direction_;
    column_ = direction_ > 0 ? 0 : width_ - 1;
}

TErrorDiffusionDitherer::TErrorDiffusionDitherer(int width, TColorLookup& lookup, int divisor,
                                                 std::vector<TKernelCell> kernel)
    : TDitherEngine(width, lookup), divisor_(divisor), kernel_(std::move(kernel)) {
    int rows = 0;
    for (const TKernelCell& cell : kernel_) {
        guard_ = std::max(guard_, std::abs(cell.column));
        rows = std::max(rows, cell.row);
    }
    errors_.assign(std::size_t(rows + 1),
                   std::vector<std::vector<int>>(3, std::vector<int>(std::size_t(width + 2 * guard_), 0)));
}

int TErrorDiffusionDitherer::DitherColor(TRgb color, TRgb& found) {
    const int at = guard_ + column_;
    int adjusted[3];
    const std::uint8_t in[3] = {color.r, color.g, color.b};
    for (int c = 0; c < 3; ++c)
        adjusted[c] =
            std::clamp(in[c] + (errors_[0][std::size_t(c)][std::size_t(at)] + divisor_ / 2) / divisor_, 0, 255);
    const int index =
        lookup_.LookupColor({std::uint8_t(adjusted[0]), std::uint8_t(adjusted[1]), std::uint8_t(adjusted[2])}, found);
    const std::uint8_t out[3] = {found.r, found.g, found.b};
    for (int c = 0; c < 3; ++c) {
        const int error = adjusted[c] - out[c];
        if (error == 0) continue;
        for (const TKernelCell& cell : kernel_)
            errors_[std::size_t(cell.row)][std::size_t(c)][std::size_t(at + cell.column * direction_)] +=
                cell.weight * error;
    }
    Step();
    return index;
}

void TErrorDiffusionDitherer::NextRow() {
    for (auto& component : errors_.front()) std::fill(component.begin(), component.end(), 0);
    std::rotate(errors_.begin(), errors_.begin() + 1, errors_.end());
    TDitherEngine::NextRow();
}

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 16, {{0, 1, 7}, {1, -1, 3}, {1, 0, 5}, {1, 1, 1}}) {}

namespace {
// A 5 x 3 kernel: two weights ahead in this row, five in each of the next two rows.
std::vector<TKernelCell> FiveByThree(std::initializer_list<int> ahead, std::initializer_list<int> below,
                                     std::initializer_list<int> twoBelow) {
    std::vector<TKernelCell> kernel;
    int column = 1;
    for (int w : ahead) kernel.push_back({0, column++, w});
    column = -2;
    for (int w : below) kernel.push_back({1, column++, w});
    column = -2;
    for (int w : twoBelow)
        if (w) kernel.push_back({2, column++, w});
        else ++column;
    return kernel;
}
}  // namespace

TStuckiDitherer::TStuckiDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 42, FiveByThree({8, 4}, {2, 4, 8, 4, 2}, {1, 2, 4, 2, 1})) {}
TSierraDitherer::TSierraDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 32, FiveByThree({5, 3}, {2, 4, 5, 4, 2}, {0, 2, 3, 2, 0})) {}
TJaJuNiDitherer::TJaJuNiDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 48, FiveByThree({7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1})) {}
TBurkesDitherer::TBurkesDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 32,
                              {{0, 1, 8}, {0, 2, 4}, {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2}}) {}
TSteveArcheDitherer::TSteveArcheDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 200,
                              {{0, 2, 32},
                               {1, -3, 12},
                               {1, -1, 26},
                               {1, 1, 30},
                               {1, 3, 16},
                               {2, -2, 12},
                               {2, 0, 26},
                               {2, 2, 12},
                               {3, -3, 5},
                               {3, -1, 12},
                               {3, 1, 12},
                               {3, 3, 5}}) {}

std::unique_ptr<TDitherEngine> MakeDitherer(TDitherMode mode, int width, TColorLookup& lookup) {
    switch (mode) {
    case TDitherMode::Nearest: return std::make_unique<TDitherEngine>(width, lookup);
    case TDitherMode::FloydSteinberg: return std::make_unique<TFloydSteinbergDitherer>(width, lookup);
    case TDitherMode::Stucki: return std::make_unique<TStuckiDitherer>(width, lookup);
    case TDitherMode::Sierra: return std::make_unique<TSierraDitherer>(width, lookup);
    case TDitherMode::JaJuNi: return std::make_unique<TJaJuNiDitherer>(width, lookup);
    case TDitherMode::SteveArche: return std::make_unique<TSteveArcheDitherer>(width, lookup);
    case TDitherMode::Burkes: return std::make_unique<TBurkesDitherer>(width, lookup);
    }
    return nullptr;
}

}  // namespace gif
