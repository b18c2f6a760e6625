#pragma once

// Typed message send. The implementation is found by selector at send time
// through the receiver's class chain, via the class's dispatch cache, and is
// called through the function type of the call site:
//
//     Rect frame = send<Rect>(window, sel::frame);
//     send<void>(window, sel::setFrameDisplay, rect, true);
//
// The argument types are those of the call site, so pass exactly the types the
// method takes (or name them: send<void, double>(...)). In builds with checked
// sends (every build without NDEBUG) the call site's encoding is compared with
// the method's, and a mismatch stops the process with a message naming the
// class, the selector and both encodings, instead of calling a function
// through the wrong type.
//
// A send to null, or of a selector nothing answers, does nothing and answers
// a zero value, like the platform it mirrors; an unknown selector is logged
// once per class until that class's methods change.

#include "runtime/class.h"
#include "runtime/type_encoding.h"

#include <type_traits>
#include <utility>

#if !defined(NDEBUG) && !defined(VANTRO_UNCHECKED_SENDS)
#define VANTRO_CHECKED_SENDS 1
#endif

namespace vantro::runtime {

// Slow path of a send whose selector is not in the class's cache: looks the
// method up, caches the answer (a miss too) and logs a miss. Answers the
// cache entry.
const MethodCache::Entry* fillCacheForSend(Object* receiver, Selector selector);

// Stops the process: a send's types differ from the method's.
[[noreturn]] void reportSignatureMismatch(const Object* receiver, Selector selector,
                                          const std::string& callSite, const std::string& method);

namespace detail {

inline const MethodCache::Entry* dispatchEntry(Object* receiver, Selector selector) {
    if (const MethodCache::Entry* entry = receiver->isa()->cache().find(selector)) {
        return entry;
    }
    return fillCacheForSend(receiver, selector);
}

template <typename R> R zeroValue() {
    if constexpr (!std::is_void_v<R>) {
        return R{};
    }
}

} // namespace detail

template <typename R, typename... Args> R send(Object* receiver, Selector selector, Args... args) {
    if (receiver == nullptr) {
        return detail::zeroValue<R>();
    }
    const MethodCache::Entry* entry = detail::dispatchEntry(receiver, selector);
    if (entry == nullptr || entry->imp == nullptr) {
        return detail::zeroValue<R>();
    }
#ifdef VANTRO_CHECKED_SENDS
    const std::string& expected = cachedMethodTypeEncoding<R, Args...>();
    if (entry->method->types() != expected) {
        reportSignatureMismatch(receiver, selector, expected, entry->method->types());
    }
#endif
    using Function = R (*)(Object*, Selector, Args...);
    return reinterpret_cast<Function>(entry->imp)(receiver, selector, args...);
}

// Calls a saved implementation directly (a replaced method's previous one),
// with the receiver and selector it would have been sent.
template <typename R, typename... Args>
R callImplementation(Imp imp, Object* receiver, Selector selector, Args... args) {
    if (imp == nullptr) {
        return detail::zeroValue<R>();
    }
    using Function = R (*)(Object*, Selector, Args...);
    return reinterpret_cast<Function>(imp)(receiver, selector, args...);
}

// The implementation as a type-erased Imp, and its encoding, for addMethod.
template <typename R, typename... Args> Imp impOf(R (*function)(Object*, Selector, Args...)) {
    return reinterpret_cast<Imp>(function);
}

template <typename R, typename... Args>
bool addMethod(Class* cls, std::string_view name, R (*function)(Object*, Selector, Args...)) {
    return addMethod(cls, Selector::named(name), impOf(function), methodTypeEncoding<R, Args...>());
}

template <typename R, typename... Args>
bool addClassMethod(Class* cls, std::string_view name, R (*function)(Object*, Selector, Args...)) {
    return cls != nullptr && addMethod(cls->metaclass(), Selector::named(name), impOf(function),
                                       methodTypeEncoding<R, Args...>());
}

} // namespace vantro::runtime
