#pragma once

// Settings in dconf, the desktop's per-user settings database. The domain
// "com.quillworks.vantro" is the path /com/quillworks/vantro/ and each key
// one dconf key under it. Reads come from dconf's mapped database file (no
// bus, no disk round trip); writes go through dconf-service on the session
// bus, which serialises writers. Changes are announced with the D-Bus signal
// com.quillworks.vantro.VantroPreferencesChanged on /com/quillworks/vantro,
// and dconf's own change notification catches writes made with `dconf write`.

#include "settings/settings_backend.h"

#include <memory>

namespace vantro::settings {

// The dconf path of a domain: "/" + the domain with dots as slashes + "/".
std::string dconfPathForDomain(std::string_view domain);

inline constexpr const char* kBroadcastPath = "/com/quillworks/vantro";
inline constexpr const char* kBroadcastInterface = "com.quillworks.vantro";
inline constexpr const char* kBroadcastMember = "VantroPreferencesChanged";

class DconfBackend final : public SettingsBackend {
  public:
    DconfBackend();
    ~DconfBackend() override;
    DconfBackend(const DconfBackend&) = delete;
    DconfBackend& operator=(const DconfBackend&) = delete;

    Dictionary readAll(std::string_view domain) override;
    WriteResult write(std::string_view domain, std::string_view key,
                      const PlistValue* value) override;
    void synchronize(std::string_view domain) override;
    WriteResult postChange(std::string_view objectString) override;
    void subscribe(std::string_view domain, std::function<void()> onChange) override;

    // The client, bus connection and subscriptions; public only so that the
    // GLib callbacks in the implementation can name it.
    struct State;

  private:
    std::unique_ptr<State> state_;
};

} // namespace vantro::settings
