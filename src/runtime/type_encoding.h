#pragma once

// Type encodings of method signatures: one character per primitive, a braced
// name for a struct. A method records the encoding of the function that
// implements it; checked sends compare it with the types at the call site, so
// calling an implementation through the wrong function type is caught instead
// of corrupting memory.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace vantro::runtime {

class Object;
class Class;
class Selector;

// Specialise for every type that crosses a send. A missing specialisation is a
// compile error naming the type.
template <typename T, typename Enable = void> struct TypeEncoding;

#define VANTRO_TYPE_ENCODING(Type, Text)                                                           \
    template <> struct vantro::runtime::TypeEncoding<Type> {                                       \
        static std::string value() { return Text; }                                                \
    }

template <> struct TypeEncoding<void> {
    static std::string value() { return "v"; }
};
template <> struct TypeEncoding<bool> {
    static std::string value() { return "B"; }
};
template <> struct TypeEncoding<char> {
    static std::string value() { return "c"; }
};
template <> struct TypeEncoding<signed char> {
    static std::string value() { return "c"; }
};
template <> struct TypeEncoding<unsigned char> {
    static std::string value() { return "C"; }
};
template <> struct TypeEncoding<short> {
    static std::string value() { return "s"; }
};
template <> struct TypeEncoding<unsigned short> {
    static std::string value() { return "S"; }
};
template <> struct TypeEncoding<int> {
    static std::string value() { return "i"; }
};
template <> struct TypeEncoding<unsigned int> {
    static std::string value() { return "I"; }
};
template <> struct TypeEncoding<long> {
    static std::string value() { return "q"; }
};
template <> struct TypeEncoding<unsigned long> {
    static std::string value() { return "Q"; }
};
template <> struct TypeEncoding<long long> {
    static std::string value() { return "q"; }
};
template <> struct TypeEncoding<unsigned long long> {
    static std::string value() { return "Q"; }
};
template <> struct TypeEncoding<float> {
    static std::string value() { return "f"; }
};
template <> struct TypeEncoding<double> {
    static std::string value() { return "d"; }
};
template <> struct TypeEncoding<const char*> {
    static std::string value() { return "*"; }
};
template <> struct TypeEncoding<Selector> {
    static std::string value() { return ":"; }
};
template <> struct TypeEncoding<Class*> {
    static std::string value() { return "#"; }
};
template <> struct TypeEncoding<std::string_view> {
    static std::string value() { return "{string_view}"; }
};
template <> struct TypeEncoding<std::string> {
    static std::string value() { return "{string}"; }
};

// Any runtime object, whatever its C++ type.
template <typename T>
struct TypeEncoding<T*,
                    std::enable_if_t<std::is_base_of_v<Object, T> && !std::is_same_v<T, Class>>> {
    static std::string value() { return "@"; }
};

// Pointers and references to anything else: '^' and a read-only 'r' marker,
// so `const Rect&` and `Rect` are told apart (they are passed differently).
template <typename T>
struct TypeEncoding<T*, std::enable_if_t<!std::is_base_of_v<Object, std::remove_cv_t<T>> &&
                                         !std::is_same_v<std::remove_cv_t<T>, char>>> {
    static std::string value() {
        return std::string(std::is_const_v<T> ? "r^" : "^") +
               TypeEncoding<std::remove_cv_t<T>>::value();
    }
};
template <typename T> struct TypeEncoding<const T&> {
    static std::string value() { return "r^" + TypeEncoding<T>::value(); }
};
template <typename T> struct TypeEncoding<T&, std::enable_if_t<!std::is_const_v<T>>> {
    static std::string value() { return "^" + TypeEncoding<T>::value(); }
};

// The encoding of a method implemented by R (*)(Object*, Selector, Args...):
// return type, receiver '@', selector ':', then the arguments.
template <typename R, typename... Args> std::string methodTypeEncoding() {
    std::string types = TypeEncoding<R>::value() + "@:";
    (types.append(TypeEncoding<Args>::value()), ...);
    return types;
}

// The same, computed once per signature; used on the checked send path.
template <typename R, typename... Args> const std::string& cachedMethodTypeEncoding() {
    static const auto* types = new std::string(methodTypeEncoding<R, Args...>());
    return *types;
}

} // namespace vantro::runtime
