#include "plugin/core/window_state.h"

#include "platform/platform.h"

namespace vantro::core {

using settings::Array;
using settings::PlistValue;

WindowEntry* WindowStateStore::entryFor(const runtime::Object* window) {
    auto found = entries_.find(window);
    return found == entries_.end() ? nullptr : &found->second;
}

const WindowEntry* WindowStateStore::entryFor(const runtime::Object* window) const {
    auto found = entries_.find(window);
    return found == entries_.end() ? nullptr : &found->second;
}

WindowEntry& WindowStateStore::ensureEntry(const runtime::Object* window) {
    return entries_[window];
}

void WindowStateStore::removeEntry(const runtime::Object* window) {
    entries_.erase(window);
}

std::optional<std::string_view> WindowStateStore::activeMenuFeature() const {
    if (!activeMenuFeature_) {
        return std::nullopt;
    }
    return std::string_view(*activeMenuFeature_);
}

WindowStateStore& vantroFakeIvars() {
    static auto* store = [] {
        auto* made = new WindowStateStore();
        platform::addWindowGoneHandler(
            [made](const runtime::Object* window) { made->removeEntry(window); });
        return made;
    }();
    return *store;
}

namespace {

double singlePrecision(double value) {
    return static_cast<double>(static_cast<float>(value));
}

// Stored lengths are floats; values beyond float's range are clamped to it
// rather than converted (which would be undefined).
double storableLength(double value) {
    constexpr double kFloatMax = 3.4028234663852886e38;
    if (value != value) {
        return value;
    }
    if (value > kFloatMax) {
        return kFloatMax;
    }
    if (value < -kFloatMax) {
        return -kFloatMax;
    }
    return singlePrecision(value);
}

PlistValue* findValue(WindowEntry& entry, std::string_view key) {
    auto found = entry.find(key);
    return found == entry.end() ? nullptr : &found->second;
}

const PlistValue* findValue(const WindowEntry* entry, std::string_view key) {
    if (entry == nullptr) {
        return nullptr;
    }
    auto found = entry->find(key);
    return found == entry->end() ? nullptr : &found->second;
}

void store(WindowEntry& entry, std::string_view key, PlistValue value) {
    if (PlistValue* existing = findValue(entry, key)) {
        *existing = std::move(value);
        return;
    }
    entry.emplace(std::string(key), std::move(value));
}

} // namespace

PlistValue vantroRectToArray(const Rect& rect) {
    return PlistValue::array({PlistValue::real(storableLength(rect.origin.x)),
                              PlistValue::real(storableLength(rect.origin.y)),
                              PlistValue::real(storableLength(rect.size.width)),
                              PlistValue::real(storableLength(rect.size.height))});
}

Rect vantroArrayToRect(const PlistValue* value) {
    const Array* items = value != nullptr ? value->asArray() : nullptr;
    if (items == nullptr || items->size() != 4) {
        return {};
    }
    for (const PlistValue& item : *items) {
        if (!item.isNumber()) {
            return {};
        }
    }
    return {(*items)[0].doubleValue(), (*items)[1].doubleValue(), (*items)[2].doubleValue(),
            (*items)[3].doubleValue()};
}

bool readFlag(const WindowEntry* entry, std::string_view key) {
    const PlistValue* value = findValue(entry, key);
    return value != nullptr && value->boolValue();
}

double readLength(const WindowEntry* entry, std::string_view key) {
    const PlistValue* value = findValue(entry, key);
    return value != nullptr ? value->doubleValue() : 0;
}

Rect readRect(const WindowEntry* entry, std::string_view key) {
    return vantroArrayToRect(findValue(entry, key));
}

const std::string* readString(const WindowEntry* entry, std::string_view key) {
    const PlistValue* value = findValue(entry, key);
    return value != nullptr ? value->asString() : nullptr;
}

void writeFlag(WindowEntry& entry, std::string_view key, bool value) {
    store(entry, key, PlistValue::boolean(value));
}

void writeLength(WindowEntry& entry, std::string_view key, double value) {
    store(entry, key, PlistValue::real(storableLength(value)));
}

void writeRect(WindowEntry& entry, std::string_view key, const Rect& rect) {
    PlistValue* existing = findValue(entry, key);
    Array* items = existing != nullptr ? existing->asArray() : nullptr;
    if (items != nullptr && items->size() == 4) {
        (*items)[0] = PlistValue::real(storableLength(rect.origin.x));
        (*items)[1] = PlistValue::real(storableLength(rect.origin.y));
        (*items)[2] = PlistValue::real(storableLength(rect.size.width));
        (*items)[3] = PlistValue::real(storableLength(rect.size.height));
        return;
    }
    store(entry, key, vantroRectToArray(rect));
}

void writeString(WindowEntry& entry, std::string_view key, std::string_view value) {
    PlistValue* existing = findValue(entry, key);
    if (std::string* held = existing != nullptr ? existing->asString() : nullptr) {
        held->assign(value); // keeps the held string's capacity
        return;
    }
    store(entry, key, PlistValue::string(std::string(value)));
}

void removeKey(WindowEntry& entry, std::string_view key) {
    if (auto found = entry.find(key); found != entry.end()) {
        entry.erase(found);
    }
}

} // namespace vantro::core
