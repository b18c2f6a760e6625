#pragma once

// The settings store: a per-user domain in front of a table of registered
// defaults. A stored value wins; the registered default answers only when
// nothing is stored. Every write is durable before it is announced, and every
// copy of the store (the writer's own included) hears the announcement.
//
// Reads answer from a decoded copy of the domain, refreshed at creation, on
// synchronize, after each own write and when a change is announced or made
// to the database by other means, so that a read is an allocation-free map
// lookup on every drag step.

#include "settings/plist_value.h"
#include "settings/settings_backend.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vantro::settings {

// The object string a store's announcements carry: the plug-in's copy says
// "VantroPlugin", the settings tools' copy "VantroPrefPane" and does not
// react to announcements itself.
enum class BroadcastObject { plugin, prefPane };

inline constexpr std::string_view kPluginObject = "VantroPlugin";
inline constexpr std::string_view kPrefPaneObject = "VantroPrefPane";

class VantroUserDefaults {
  public:
    VantroUserDefaults(std::unique_ptr<SettingsBackend> backend, BroadcastObject object,
                       std::string_view identifier);

    // The process's store: the dconf backend, domain "com.quillworks.vantro",
    // created on first use and never destroyed. A process may install its
    // own first (the settings tools use the prefPane variant; tests an
    // in-memory backend).
    static VantroUserDefaults& standardUserDefaults();
    // Replaces the shared store; the previous one is kept alive (callers may
    // still hold it) and answered.
    static VantroUserDefaults*
    installStandardUserDefaults(std::unique_ptr<VantroUserDefaults> store);

    [[nodiscard]] const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string_view identifier);
    // Replaces the registered defaults; earlier registrations are dropped.
    void registerDefaults(Dictionary defaults);
    [[nodiscard]] const Dictionary& registeredDefaults() const { return registered_; }

    // The stored value, else the registered default, else null. The pointer
    // stays valid until the store next changes (a write, synchronize,
    // registerDefaults, setIdentifier, or a change dispatched by the main
    // loop); copy the value to keep it.
    [[nodiscard]] const PlistValue* objectForKey(std::string_view key) const;
    // The same value; its type is not tested.
    [[nodiscard]] const PlistValue* stringForKey(std::string_view key) const {
        return objectForKey(key);
    }
    // intValue of the value is non-zero; nothing reads as false.
    [[nodiscard]] bool boolForKey(std::string_view key) const;
    // intValue of the value; nothing reads as 0.
    [[nodiscard]] std::int32_t integerForKey(std::string_view key) const;
    [[nodiscard]] bool isStored(std::string_view key) const;

    // Stores the value (null removes it, so the default answers again),
    // makes it durable, then announces the change. A failure is logged once
    // and answered; nothing is announced then.
    WriteResult setObject(const PlistValue* value, std::string_view key);
    WriteResult removeObjectForKey(std::string_view key) { return setObject(nullptr, key); }

    void synchronize();
    // Every stored key with its value; registered defaults are not included.
    [[nodiscard]] Dictionary dictionaryRepresentation() const { return stored_; }

    // The announcement handler: synchronizes, then calls the change handler.
    // Does nothing in the prefPane variant.
    void vantroPreferencesDidChange();
    void setChangeHandler(std::function<void()> handler) { changeHandler_ = std::move(handler); }
    // Starts listening for announcements and for direct database changes;
    // each reloads the domain and calls the change handler.
    void subscribeToChanges();

  private:
    void reloadAndNotify();
    // Rebuilt whenever either dictionary is replaced.
    void rebuildIndex();

    std::unique_ptr<SettingsBackend> backend_;
    BroadcastObject object_;
    std::string identifier_;
    Dictionary registered_;
    Dictionary stored_;
    // Every key to its value, stored or registered: one hash lookup per read,
    // which drag steps make many of. Points into the two dictionaries.
    std::unordered_map<std::string_view, const PlistValue*> index_;
    std::function<void()> changeHandler_;
    bool subscribed_ = false;
};

} // namespace vantro::settings
