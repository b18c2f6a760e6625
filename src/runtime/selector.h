#pragma once

// Interned method names. Two selectors with the same name are the same
// pointer, so the send path compares and hashes them as pointers.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vantro::runtime {

class Selector {
  public:
    constexpr Selector() = default;

    // Interns `name` on first use; later calls with the same name return the
    // same selector. Call sites on hot paths keep the result in a static.
    static Selector named(std::string_view name);

    [[nodiscard]] std::string_view name() const { return name_ ? std::string_view(*name_) : ""; }
    [[nodiscard]] bool isNull() const { return name_ == nullptr; }
    [[nodiscard]] const void* identity() const { return name_; }

    friend bool operator==(Selector a, Selector b) { return a.name_ == b.name_; }

  private:
    explicit Selector(const std::string* name) : name_(name) {}
    const std::string* name_ = nullptr;
};

} // namespace vantro::runtime

template <> struct std::hash<vantro::runtime::Selector> {
    std::size_t operator()(vantro::runtime::Selector s) const noexcept {
        return std::hash<const void*>{}(s.identity());
    }
};
