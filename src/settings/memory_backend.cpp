#include "settings/memory_backend.h"

namespace vantro::settings {

Dictionary MemoryBackend::readAll(std::string_view domain) {
    auto found = data_->domains.find(domain);
    return found == data_->domains.end() ? Dictionary() : found->second;
}

WriteResult MemoryBackend::write(std::string_view domain, std::string_view key,
                                 const PlistValue* value) {
    if (data_->failWrites) {
        return {"the settings storage is not available"};
    }
    Dictionary& stored = data_->domains[std::string(domain)];
    if (value == nullptr) {
        if (auto found = stored.find(key); found != stored.end()) {
            stored.erase(found);
        }
    } else {
        stored.insert_or_assign(std::string(key), *value);
    }
    return {};
}

WriteResult MemoryBackend::postChange(std::string_view objectString) {
    if (data_->failWrites || data_->failPosts) {
        return {"the session bus is not available"};
    }
    data_->postedObjects.emplace_back(objectString);
    // Copied: a subscriber may subscribe another.
    const auto subscribers = data_->subscribers;
    for (const auto& subscriber : subscribers) {
        subscriber();
    }
    return {};
}

void MemoryBackend::subscribe(std::string_view /*domain*/, std::function<void()> onChange) {
    data_->subscribers.push_back(std::move(onChange));
}

} // namespace vantro::settings
