#pragma once

// The base of every runtime object: a pointer to its class, and storage for the
// instance variables that its class and superclasses declare at run time.
// C++ types that the platform exposes as runtime objects (host windows, menus)
// derive from it and keep their own C++ state beside that storage.

#include <cstddef>
#include <memory>

namespace vantro::runtime {

class Class;

class Object {
  public:
    explicit Object(Class* cls);
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // The object's class; for a class object, its metaclass.
    [[nodiscard]] Class* isa() const { return isa_; }

    // Start of the instance-variable storage (null when the class has none).
    [[nodiscard]] std::byte* ivarStorage() const { return ivars_.get(); }

  protected:
    void setIsa(Class* cls) { isa_ = cls; }

  private:
    Class* isa_;
    std::unique_ptr<std::byte[]> ivars_;
};

// A new instance of a registered class, with zeroed instance variables; null
// for a null or unregistered class.
std::unique_ptr<Object> createInstance(Class* cls);

} // namespace vantro::runtime
