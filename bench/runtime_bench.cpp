// A message send of a cached method against a direct virtual call, the
// baseline it is measured against.

#include "runtime/message_send.h"

#include <benchmark/benchmark.h>

namespace {

using vantro::runtime::Object;
using vantro::runtime::Selector;

struct Shape {
    virtual ~Shape() = default;
    virtual int width(int scale) = 0;
};
struct Square final : Shape {
    int side = 3;
    int width(int scale) override { return side * scale; }
};

int squareWidth(Object* self, Selector, int scale) {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(self) & 7U) * scale;
}

void virtualCall(benchmark::State& state) {
    Square square;
    Shape* shape = &square;
    int scale = 2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(shape);
        benchmark::DoNotOptimize(shape->width(scale));
    }
}
BENCHMARK(virtualCall);

void cachedMessageSend(benchmark::State& state) {
    vantro::runtime::Class* base = vantro::runtime::defineClass("BenchBase", nullptr);
    vantro::runtime::Class* leaf = vantro::runtime::defineClass("BenchLeaf", base);
    // Some neighbours in the table, as a real window class has.
    for (int i = 0; i < 30; ++i) {
        vantro::runtime::addMethod(base, "method" + std::to_string(i), &squareWidth);
    }
    vantro::runtime::addMethod(base, "width:", &squareWidth);
    auto object = vantro::runtime::createInstance(leaf);
    const Selector width = Selector::named("width:");
    Object* receiver = object.get();
    int scale = 2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(receiver);
        benchmark::DoNotOptimize(vantro::runtime::send<int>(receiver, width, scale));
    }
}
BENCHMARK(cachedMessageSend);

} // namespace
