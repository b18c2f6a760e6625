#pragma once

// Per-class dispatch cache: selector to implementation, filled on the first
// send of a selector to a class and cleared when a method that the class can
// see is added or replaced. Open addressing over a power-of-two table keyed by
// the selector's pointer; a miss is cached too, so repeated sends of an
// unknown selector stay cheap.

#include "runtime/method.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace vantro::runtime {

class MethodCache {
  public:
    struct Entry {
        const void* key = nullptr;
        Imp imp = nullptr;              // null for a cached miss
        const Method* method = nullptr; // null for a cached miss
    };

    // The entry for `selector`, or null when it is not cached.
    [[nodiscard]] const Entry* find(Selector selector) const {
        if (capacity_ == 0) {
            return nullptr;
        }
        const void* key = selector.identity();
        std::size_t index = slotOf(key);
        while (true) {
            const Entry& entry = entries_[index];
            if (entry.key == key) {
                return &entry;
            }
            if (entry.key == nullptr) {
                return nullptr;
            }
            index = (index + 1) & (capacity_ - 1);
        }
    }

    void insert(Selector selector, const Method* method);
    [[nodiscard]] bool contains(Selector selector) const { return find(selector) != nullptr; }
    void clear();
    [[nodiscard]] std::size_t size() const { return count_; }

  private:
    [[nodiscard]] std::size_t slotOf(const void* key) const {
        // Selector names are heap strings: the low bits carry no information.
        return (reinterpret_cast<std::uintptr_t>(key) >> 4) & (capacity_ - 1);
    }
    void grow();

    std::unique_ptr<Entry[]> entries_;
    std::size_t capacity_ = 0;
    std::size_t count_ = 0;
};

} // namespace vantro::runtime
