// xorshift32 for randomised tests: from a fixed seed the same cases every
// run, so that a failure names a reproducible case. Portable.
#pragma once

#include <cstdint>
#include <iterator>

namespace quillet::test {

class RandomCases {
public:
    explicit RandomCases(std::uint32_t seed) : state_(seed) {}

    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

    // The value Next last gave, or the seed before the first.
    std::uint32_t Last() const { return state_; }

    // low to high, both included.
    int Pick(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint32_t>(high - low + 1));
    }

    // Any element of a non-empty array or container.
    template <typename Items>
    const auto& Element(const Items& items) {
        return items[Next() % static_cast<std::uint32_t>(std::size(items))];
    }

private:
    std::uint32_t state_;
};

}  // namespace quillet::test
