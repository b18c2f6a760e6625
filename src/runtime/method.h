#pragma once

// One entry of a class's method table: selector, implementation and the type
// encoding of the function that implements it.

#include "runtime/selector.h"

#include <string>
#include <string_view>

namespace vantro::runtime {

class Class;

// An implementation, type-erased. It is called only after a cast back to the
// function type its encoding describes.
using Imp = void (*)();

class Method {
  public:
    Method(Class* owner, Selector selector, Imp imp, std::string_view types)
        : owner_(owner), selector_(selector), imp_(imp), types_(types) {}

    [[nodiscard]] Class* owner() const { return owner_; }
    [[nodiscard]] Selector selector() const { return selector_; }
    [[nodiscard]] Imp implementation() const { return imp_; }
    [[nodiscard]] const std::string& types() const { return types_; }

  private:
    friend Imp setImplementation(Method* method, Imp imp);
    Class* owner_;
    Selector selector_;
    Imp imp_;
    std::string types_;
};

// Replaces the implementation of `method`, wherever it lives, and answers the
// previous one. Every class that inherits the entry sees the change; the send
// caches of the owning class and its subclasses forget the selector.
Imp setImplementation(Method* method, Imp imp);

} // namespace vantro::runtime
