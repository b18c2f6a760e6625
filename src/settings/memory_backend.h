#pragma once

// Settings held in memory, with in-process announcements delivered at once.
// Several stores can share one MemoryDomainData to play separate processes.

#include "settings/settings_backend.h"

#include <map>
#include <memory>
#include <vector>

namespace vantro::settings {

struct MemoryDomainData {
    std::map<std::string, Dictionary, std::less<>> domains;
    std::vector<std::function<void()>> subscribers;
    std::vector<std::string> postedObjects; // every announcement, in order
    bool failWrites = false;                // makes writes fail, as without a bus
    bool failPosts = false;                 // writes succeed, announcements fail
};

class MemoryBackend final : public SettingsBackend {
  public:
    explicit MemoryBackend(
        std::shared_ptr<MemoryDomainData> data = std::make_shared<MemoryDomainData>())
        : data_(std::move(data)) {}

    Dictionary readAll(std::string_view domain) override;
    WriteResult write(std::string_view domain, std::string_view key,
                      const PlistValue* value) override;
    void synchronize(std::string_view /*domain*/) override {}
    WriteResult postChange(std::string_view objectString) override;
    void subscribe(std::string_view domain, std::function<void()> onChange) override;

    [[nodiscard]] const std::shared_ptr<MemoryDomainData>& data() const { return data_; }

  private:
    std::shared_ptr<MemoryDomainData> data_;
};

} // namespace vantro::settings
