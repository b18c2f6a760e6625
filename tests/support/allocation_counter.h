#pragma once

// Counts heap allocations made through operator new while a scope is alive.
// The counting operator new is defined in allocation_counter.cpp, which a
// test program links once.

#include <cstddef>

namespace vantro::testing {

std::size_t allocationCount();

class AllocationScope {
  public:
    AllocationScope() : start_(allocationCount()) {}
    [[nodiscard]] std::size_t allocations() const { return allocationCount() - start_; }

  private:
    std::size_t start_;
};

} // namespace vantro::testing
