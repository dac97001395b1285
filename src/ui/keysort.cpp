#include "ui/keysort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace {
constexpr int kDigitBits = 11, kDigits = (64 + kDigitBits - 1) / kDigitBits;
constexpr std::uint64_t kDigitMask = (1u << kDigitBits) - 1;
// Below this many rows a comparison sort is as quick.
constexpr qsizetype kFewRows = 256;

// The key as an unsigned number of the same order.
std::uint64_t ordered(double key) {
    if (key == 0) key = 0; // -0 sorts as 0
    const auto bits = std::bit_cast<std::uint64_t>(key);
    return bits >> 63 ? ~bits : bits | (std::uint64_t{1} << 63);
}
std::uint64_t ordered(int key) {
    return static_cast<std::uint32_t>(key) ^ 0x8000'0000u;
}

template <typename Key> void comparisonSort(QList<std::pair<Key, int>> &keyed, bool ascending) {
    std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto &a, const auto &b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
}

// Least significant digit first, each pass a stable counting sort of the
// positions; a digit every key shares is skipped. Descending sorts the keys'
// complements, which keeps equal keys in their order as well.
template <typename Key> void digitSort(QList<std::pair<Key, int>> &keyed, bool ascending) {
    const qsizetype n = keyed.size();
    std::vector<std::uint64_t> keys(static_cast<size_t>(n)), keysTo(keys.size());
    std::vector<std::uint32_t> at(keys.size()), atTo(keys.size());
    std::vector<std::array<std::uint32_t, kDigitMask + 1>> counts(kDigits);
    for (qsizetype i = 0; i < n; ++i) {
        const std::uint64_t k = ordered(keyed.at(i).first);
        keys[i] = ascending ? k : ~k;
        at[i] = static_cast<std::uint32_t>(i);
        for (int d = 0; d < kDigits; ++d)
            ++counts[d][(keys[i] >> (d * kDigitBits)) & kDigitMask];
    }
    for (int d = 0; d < kDigits; ++d) {
        auto &count = counts[d];
        const int shift = d * kDigitBits;
        if (count[(keys[0] >> shift) & kDigitMask] == static_cast<std::uint32_t>(n)) continue;
        std::uint32_t start = 0;
        for (std::uint32_t &c : count)
            start += std::exchange(c, start);
        for (qsizetype i = 0; i < n; ++i) {
            const std::uint32_t to = count[(keys[i] >> shift) & kDigitMask]++;
            keysTo[to] = keys[i];
            atTo[to] = at[i];
        }
        keys.swap(keysTo);
        at.swap(atTo);
    }
    QList<std::pair<Key, int>> sorted(n);
    for (qsizetype i = 0; i < n; ++i)
        sorted[i] = keyed.at(at[i]);
    keyed = std::move(sorted);
}

template <typename Key> void sortKeyed(QList<std::pair<Key, int>> &keyed, bool ascending) {
    const auto before = [ascending](const auto &a, const auto &b) {
        return ascending ? a.first < b.first : b.first < a.first;
    };
    // A list sorted again by the same column is left as it is.
    if (std::is_sorted(keyed.begin(), keyed.end(), before)) return;
    bool nan = false;
    if constexpr (std::is_floating_point_v<Key>)
        nan = std::any_of(keyed.begin(), keyed.end(),
                          [](const auto &k) { return std::isnan(k.first); });
    if (keyed.size() < kFewRows || nan)
        comparisonSort(keyed, ascending);
    else
        digitSort(keyed, ascending);
}
} // namespace

void sortByKeys(QList<std::pair<double, int>> &keyed, bool ascending) {
    sortKeyed(keyed, ascending);
}

void sortByKeys(QList<std::pair<int, int>> &keyed, bool ascending) {
    sortKeyed(keyed, ascending);
}
