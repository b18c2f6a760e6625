#include "runtime/class.h"

#include <cstring>
#include <map>

namespace vantro::runtime {

class ClassTable {
  public:
    static ClassTable& shared() {
        // Never destroyed: classes outlive every object, including those a
        // host application frees from its own static destructors.
        static auto* table = new ClassTable();
        return *table;
    }

    [[nodiscard]] Class* find(std::string_view name) const {
        auto found = byName_.find(name);
        return found == byName_.end() ? nullptr : found->second;
    }
    [[nodiscard]] bool nameTaken(std::string_view name) const {
        return byName_.contains(name) || pending_.contains(name);
    }
    Class* allocate(Class* superclass, std::string_view name) {
        auto cls = std::make_unique<Class>(name, superclass, false);
        auto meta = std::make_unique<Class>(
            name, superclass != nullptr ? superclass->metaclass() : cls.get(), true);
        // A metaclass is an instance of the root metaclass; the root metaclass
        // is an instance of itself.
        Class* rootMeta = meta.get();
        for (Class* c = superclass; c != nullptr; c = c->superclass()) {
            rootMeta = c->metaclass();
        }
        meta->setIsaForPair(rootMeta);
        cls->setIsaForPair(meta.get());
        cls->instanceSize_ = superclass != nullptr ? superclass->instanceSize() : 0;
        Class* result = cls.get();
        pending_.emplace(std::string(name), result);
        storage_.push_back(std::move(cls));
        storage_.push_back(std::move(meta));
        return result;
    }
    void registerPair(Class* cls) {
        auto found = pending_.find(cls->name());
        if (found == pending_.end() || found->second != cls) {
            return;
        }
        pending_.erase(found);
        Class* meta = cls->metaclass();
        cls->registered_ = true;
        meta->registered_ = true;
        if (cls->superclass_ != nullptr) {
            cls->superclass_->subclasses_.push_back(cls);
        }
        // The root metaclass inherits from the root class, so class objects
        // answer the root's instance methods.
        meta->superclass_->subclasses_.push_back(meta);
        byName_.emplace(cls->name(), cls);
        order_.push_back(cls);
    }
    [[nodiscard]] const std::vector<Class*>& order() const { return order_; }

  private:
    std::map<std::string, Class*, std::less<>> byName_;
    std::map<std::string, Class*, std::less<>> pending_;
    std::vector<Class*> order_;
    std::vector<std::unique_ptr<Class>> storage_;
};

Class::Class(std::string_view name, Class* superclass, bool isMetaclass)
    : Object(nullptr), name_(name), superclass_(superclass), isMetaclass_(isMetaclass) {}

void Class::setIsaForPair(Class* meta) {
    setIsa(meta);
}

Method* Class::ownMethod(Selector selector) const {
    auto found = methodIndex_.find(selector);
    return found == methodIndex_.end() ? nullptr : found->second;
}

Class* classNamed(std::string_view name) {
    rootClass();
    return ClassTable::shared().find(name);
}

Class* allocateClassPair(Class* superclass, std::string_view name) {
    ClassTable& table = ClassTable::shared();
    if (name.empty() || table.nameTaken(name)) {
        return nullptr;
    }
    if (superclass != nullptr && !superclass->isRegistered()) {
        return nullptr;
    }
    return table.allocate(superclass, name);
}

bool addIvar(Class* cls, std::string_view name, std::size_t size, std::size_t alignment,
             std::string_view types) {
    if (cls == nullptr || cls->isRegistered() || cls->isMetaclass() || name.empty() ||
        alignment == 0 || (alignment & (alignment - 1)) != 0 ||
        alignment > alignof(std::max_align_t)) {
        return false;
    }
    for (const Class* c = cls; c != nullptr; c = c->superclass()) {
        for (const Ivar& ivar : c->ownIvars()) {
            if (ivar.name == name) {
                return false;
            }
        }
    }
    const std::size_t offset = (cls->instanceSize_ + alignment - 1) & ~(alignment - 1);
    cls->ivars_.push_back(Ivar{std::string(name), std::string(types), offset, size, alignment});
    cls->instanceSize_ = offset + size;
    return true;
}

void registerClassPair(Class* cls) {
    if (cls != nullptr) {
        ClassTable::shared().registerPair(cls);
    }
}

Class* defineClass(std::string_view name, Class* superclass) {
    Class* cls = allocateClassPair(superclass != nullptr ? superclass : rootClass(), name);
    registerClassPair(cls);
    return cls;
}

std::vector<Class*> registeredClasses() {
    rootClass();
    return ClassTable::shared().order();
}

bool addMethod(Class* cls, Selector selector, Imp imp, std::string_view types) {
    if (cls == nullptr || selector.isNull() || cls->methodIndex_.contains(selector)) {
        return false;
    }
    cls->methods_.push_back(std::make_unique<Method>(cls, selector, imp, types));
    cls->methodIndex_.emplace(selector, cls->methods_.back().get());
    forgetSelector(cls, selector);
    return true;
}

Method* instanceMethod(const Class* cls, Selector selector) {
    for (const Class* c = cls; c != nullptr; c = c->superclass()) {
        if (Method* method = c->ownMethod(selector)) {
            return method;
        }
    }
    return nullptr;
}

Method* classMethod(const Class* cls, Selector selector) {
    return cls == nullptr ? nullptr : instanceMethod(cls->metaclass(), selector);
}

const Method* lookupMethodCached(Class* cls, Selector selector) {
    if (cls == nullptr) {
        return nullptr;
    }
    if (const MethodCache::Entry* entry = cls->cache_.find(selector)) {
        return entry->method;
    }
    const Method* method = instanceMethod(cls, selector);
    if (method != nullptr && method->implementation() == nullptr) {
        method = nullptr;
    }
    cls->cache_.insert(selector, method);
    return method;
}

bool instancesRespondToSelector(Class* cls, Selector selector) {
    return lookupMethodCached(cls, selector) != nullptr;
}

bool respondsToSelector(const Object* object, Selector selector) {
    return object != nullptr && instancesRespondToSelector(object->isa(), selector);
}

bool isKindOfClass(const Object* object, const Class* cls) {
    if (object == nullptr || cls == nullptr) {
        return false;
    }
    for (const Class* c = object->isa(); c != nullptr; c = c->superclass()) {
        if (c == cls) {
            return true;
        }
    }
    return false;
}

void forgetSelector(Class* cls, Selector selector) {
    if (cls->cache_.contains(selector)) {
        cls->cache_.clear();
    }
    for (Class* subclass : cls->subclasses_) {
        forgetSelector(subclass, selector);
    }
}

Imp setImplementation(Method* method, Imp imp) {
    if (method == nullptr) {
        return nullptr;
    }
    const Imp previous = method->imp_;
    method->imp_ = imp;
    forgetSelector(method->owner(), method->selector());
    return previous;
}

} // namespace vantro::runtime
