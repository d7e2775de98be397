#include "app/conversion/WorkOrder.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <numeric>

namespace {

std::uintmax_t SizeOrZero(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

}  // namespace

std::vector<std::size_t> LargestFirst(const std::vector<std::string>& files) {
    std::vector<std::uintmax_t> sizes;
    sizes.reserve(files.size());
    for (const std::string& file : files) sizes.push_back(SizeOrZero(file));
    std::vector<std::size_t> order(files.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
    return order;
}

std::vector<std::size_t> StartOrderFor(const std::vector<std::string>& files, unsigned jobs) {
    return jobs > 1 ? LargestFirst(files) : std::vector<std::size_t>{};
}
