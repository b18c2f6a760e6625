#pragma once

// Where settings are stored and how changes are announced. The dconf backend
// serves real processes; the in-memory backend serves unit tests.

#include "settings/plist_value.h"

#include <functional>
#include <string>
#include <string_view>

namespace vantro::settings {

// The outcome of a write: empty error on success.
struct WriteResult {
    std::string error;
    // The value reached the store even if something after it failed (the
    // announcement of a change).
    bool stored = false;
    [[nodiscard]] bool ok() const { return error.empty(); }
};

class SettingsBackend {
  public:
    virtual ~SettingsBackend() = default;

    // Every value stored in the domain. A store that cannot be read answers
    // what it can (an empty dictionary when nothing).
    virtual Dictionary readAll(std::string_view domain) = 0;
    // Stores `value` under the key, or removes the key for null; durable when
    // it answers success.
    virtual WriteResult write(std::string_view domain, std::string_view key,
                              const PlistValue* value) = 0;
    // Writes pending changes and picks up those of other processes.
    virtual void synchronize(std::string_view domain) = 0;
    // Announces a change to every process, this one included.
    virtual WriteResult postChange(std::string_view objectString) = 0;
    // Calls `onChange` (on the main loop) after every announced change and
    // every change made to the domain's storage by other means. Changes that
    // arrive together are reported once.
    virtual void subscribe(std::string_view domain, std::function<void()> onChange) = 0;
};

} // namespace vantro::settings
