#pragma once

// Runtime classes: a name, a superclass, a metaclass whose table holds the
// class methods, an ordered table of the class's own methods, its own
// instance variables and the dispatch cache that the send path reads.

#include "runtime/ivar.h"
#include "runtime/method.h"
#include "runtime/method_cache.h"
#include "runtime/object.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantro::runtime {

class Class : public Object {
  public:
    Class(std::string_view name, Class* superclass, bool isMetaclass);

    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] Class* superclass() const { return superclass_; }
    [[nodiscard]] Class* metaclass() const { return isa(); }
    [[nodiscard]] bool isMetaclass() const { return isMetaclass_; }
    [[nodiscard]] bool isRegistered() const { return registered_; }

    // The class's own methods in the order they were added; inherited ones
    // are not listed.
    [[nodiscard]] const std::vector<std::unique_ptr<Method>>& ownMethods() const {
        return methods_;
    }
    [[nodiscard]] Method* ownMethod(Selector selector) const;
    [[nodiscard]] const std::vector<Ivar>& ownIvars() const { return ivars_; }
    [[nodiscard]] std::size_t instanceSize() const { return instanceSize_; }
    [[nodiscard]] const std::vector<Class*>& subclasses() const { return subclasses_; }

    // The module that defined the class ("com.quillworks.vantro" for the
    // plug-in's own classes, the toolkit's name for mirrored host classes).
    [[nodiscard]] const std::string& owner() const { return owner_; }
    void setOwner(std::string_view owner) { owner_ = owner; }

    [[nodiscard]] const MethodCache& cache() const { return cache_; }

  private:
    friend class ClassTable;
    void setIsaForPair(Class* meta);
    friend bool addMethod(Class* cls, Selector selector, Imp imp, std::string_view types);
    friend bool addIvar(Class* cls, std::string_view name, std::size_t size, std::size_t alignment,
                        std::string_view types);
    friend const Method* lookupMethodCached(Class* cls, Selector selector);
    friend void forgetSelector(Class* cls, Selector selector);
    friend Class* allocateClassPair(Class* superclass, std::string_view name);

    std::string name_;
    std::string owner_;
    Class* superclass_;
    bool isMetaclass_;
    bool registered_ = false;
    std::vector<std::unique_ptr<Method>> methods_;
    std::unordered_map<Selector, Method*> methodIndex_;
    std::vector<Ivar> ivars_;
    std::size_t instanceSize_ = 0;
    std::vector<Class*> subclasses_;
    MethodCache cache_;
};

// --- The class table -------------------------------------------------------

// The registered class with this name, or null.
Class* classNamed(std::string_view name);

// The root class "Object": every class made by defineClass descends from it.
// It answers "class", "className", "description", "respondsToSelector:",
// "isKindOfClass:" and "isMemberOfClass:".
Class* rootClass();

// A new class and its metaclass, not yet registered, or null when a class of
// that name exists or is being built. A null superclass makes a new root.
Class* allocateClassPair(Class* superclass, std::string_view name);

// Adds an instance variable to a class that is not yet registered. False when
// the class is registered, the name is taken in the class chain, or the
// alignment is not a power of two.
bool addIvar(Class* cls, std::string_view name, std::size_t size, std::size_t alignment,
             std::string_view types);

// Makes an allocated class visible by name and usable for sends.
void registerClassPair(Class* cls);

// allocateClassPair + registerClassPair; null when the name is taken.
Class* defineClass(std::string_view name, Class* superclass);

// Every registered class (metaclasses excluded), in registration order.
std::vector<Class*> registeredClasses();

// --- Methods ---------------------------------------------------------------

// Adds a method to the class's own table. Does nothing and answers false when
// the class's own table already has the selector; never touches a superclass.
bool addMethod(Class* cls, Selector selector, Imp imp, std::string_view types);

// Searches the class's own table, then its superclasses'.
Method* instanceMethod(const Class* cls, Selector selector);
// The same on the metaclass.
Method* classMethod(const Class* cls, Selector selector);

// Cached lookup as the send path does it; null when nothing answers.
const Method* lookupMethodCached(Class* cls, Selector selector);

// Whether instances of the class answer the selector.
bool instancesRespondToSelector(Class* cls, Selector selector);
bool respondsToSelector(const Object* object, Selector selector);

// Whether the object's class is `cls` or inherits from it.
bool isKindOfClass(const Object* object, const Class* cls);

// Drops `selector` from the caches of `cls` and of every class below it.
void forgetSelector(Class* cls, Selector selector);

} // namespace vantro::runtime
