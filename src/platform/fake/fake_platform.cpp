#include "platform/fake/fake_platform.h"

#include <algorithm>

namespace vantro::platform::fake {

FakePlatform::FakePlatform() : previous_(setCurrentPlatform(this)) {}

FakePlatform::~FakePlatform() {
    setCurrentPlatform(previous_);
}

void FakePlatform::holdModifiers(ModifierFlags flags) {
    Event held;
    held.type = EventType::flagsChanged;
    held.modifierFlags = flags;
    held.locationOnScreen = mouse;
    event = held;
}

std::optional<Event> FakePlatform::nextEventMatchingMask(EventMask mask) {
    while (!trackingEvents.empty()) {
        Event next = trackingEvents.front();
        trackingEvents.pop_front();
        if ((mask & eventMaskFor(next.type)) != 0) {
            event = next;
            mouse = next.locationOnScreen;
            return next;
        }
    }
    return std::nullopt;
}

void FakePlatform::performAfterDelay(const void* target, runtime::Selector selector, double delay,
                                     std::function<void()> action) {
    clock.performAfterDelay(target, selector, delay, std::move(action));
}

void FakePlatform::cancelPerforms(const void* target, runtime::Selector selector) {
    clock.cancelPerforms(target, selector);
}

AnimationId FakePlatform::animate(double duration, std::function<void(double)> step,
                                  std::function<void()> done) {
    return clock.animate(duration, std::move(step), std::move(done));
}

void FakePlatform::cancelAnimation(AnimationId id) {
    clock.cancelAnimation(id);
}

std::unique_ptr<FeedbackSurface> FakePlatform::createFeedbackSurface(FeedbackKind kind) {
    auto surface = std::make_unique<FakeFeedbackSurface>(*this, kind);
    surfaces.push_back(surface.get());
    return surface;
}

std::optional<std::string> FakePlatform::pathForImageResource(std::string_view name) const {
    if (!imageResources.contains(name) || !existingPaths.contains(bundlePath)) {
        return std::nullopt;
    }
    return bundlePath + "/Contents/Resources/" + std::string(name) + ".png";
}

bool FakePlatform::fileExistsAtPath(std::string_view path) const {
    return existingPaths.contains(path);
}

void FakePlatform::forgetSurface(FakeFeedbackSurface* surface) {
    std::erase(surfaces, surface);
}

FakeFeedbackSurface::FakeFeedbackSurface(FakePlatform& platform, FeedbackKind kind)
    : platform_(platform), kind_(kind) {}

FakeFeedbackSurface::~FakeFeedbackSurface() {
    platform_.forgetSurface(this);
}

} // namespace vantro::platform::fake
