#include "runtime/method_cache.h"

#include <algorithm>

namespace vantro::runtime {

namespace {
constexpr std::size_t kInitialCapacity = 16;
} // namespace

void MethodCache::insert(Selector selector, const Method* method) {
    if ((count_ + 1) * 4 > capacity_ * 3) {
        grow();
    }
    const void* key = selector.identity();
    std::size_t index = slotOf(key);
    while (entries_[index].key != nullptr && entries_[index].key != key) {
        index = (index + 1) & (capacity_ - 1);
    }
    if (entries_[index].key == nullptr) {
        ++count_;
    }
    entries_[index] = Entry{key, method != nullptr ? method->implementation() : nullptr, method};
}

void MethodCache::clear() {
    std::fill_n(entries_.get(), capacity_, Entry{});
    count_ = 0;
}

void MethodCache::grow() {
    const std::size_t oldCapacity = capacity_;
    std::unique_ptr<Entry[]> old = std::move(entries_);
    capacity_ = oldCapacity == 0 ? kInitialCapacity : oldCapacity * 2;
    entries_ = std::make_unique<Entry[]>(capacity_);
    count_ = 0;
    for (std::size_t i = 0; i < oldCapacity; ++i) {
        if (old[i].key != nullptr) {
            std::size_t index = slotOf(old[i].key);
            while (entries_[index].key != nullptr) {
                index = (index + 1) & (capacity_ - 1);
            }
            entries_[index] = old[i];
            ++count_;
        }
    }
}

} // namespace vantro::runtime
