#include "settings/vantro_user_defaults.h"

#include "runtime/system_log.h"
#include "runtime/trace_log.h"
#include "settings/catalogue.h"
#include "settings/dconf_backend.h"
#include "settings/plist_text.h"

namespace vantro::settings {

namespace {

VantroUserDefaults*& sharedStore() {
    static VantroUserDefaults* store = nullptr;
    return store;
}

// "KEY = VALUE; ..." of the stored values, in key order.
std::string storedValuesText(const Dictionary& stored) {
    std::string text;
    for (const auto& [key, value] : stored) {
        text += (text.empty() ? "" : "; ") + key + " = " + toText(value);
    }
    return text;
}

} // namespace

VantroUserDefaults::VantroUserDefaults(std::unique_ptr<SettingsBackend> backend,
                                       BroadcastObject object, std::string_view identifier)
    : backend_(std::move(backend)), object_(object), identifier_(identifier),
      stored_(backend_->readAll(identifier_)) {
    rebuildIndex();
}

VantroUserDefaults& VantroUserDefaults::standardUserDefaults() {
    VantroUserDefaults*& store = sharedStore();
    if (store == nullptr) {
        // Never destroyed: hooks may read settings from the host's own
        // static destructors.
        store = new VantroUserDefaults(std::make_unique<DconfBackend>(), BroadcastObject::plugin,
                                       kDomain);
    }
    return *store;
}

VantroUserDefaults*
VantroUserDefaults::installStandardUserDefaults(std::unique_ptr<VantroUserDefaults> store) {
    VantroUserDefaults* previous = sharedStore();
    sharedStore() = store.release();
    return previous;
}

void VantroUserDefaults::setIdentifier(std::string_view identifier) {
    identifier_ = identifier;
    stored_ = backend_->readAll(identifier_);
    rebuildIndex();
}

void VantroUserDefaults::registerDefaults(Dictionary defaults) {
    registered_ = std::move(defaults);
    rebuildIndex();
}

void VantroUserDefaults::rebuildIndex() {
    index_.clear();
    index_.reserve(stored_.size() + registered_.size());
    for (const auto& [key, value] : registered_) {
        index_[key] = &value;
    }
    // A stored value hides the registered default of its key.
    for (const auto& [key, value] : stored_) {
        index_[key] = &value;
    }
}

const PlistValue* VantroUserDefaults::objectForKey(std::string_view key) const {
    const auto found = index_.find(key);
    return found != index_.end() ? found->second : nullptr;
}

bool VantroUserDefaults::boolForKey(std::string_view key) const {
    return integerForKey(key) != 0;
}

std::int32_t VantroUserDefaults::integerForKey(std::string_view key) const {
    const PlistValue* value = objectForKey(key);
    return value != nullptr ? value->intValue() : 0;
}

bool VantroUserDefaults::isStored(std::string_view key) const {
    return stored_.contains(key);
}

WriteResult VantroUserDefaults::setObject(const PlistValue* value, std::string_view key) {
    WriteResult result = backend_->write(identifier_, key, value);
    if (!result.ok()) {
        runtime::systemLogFormat("Could not write the setting %.*s: %s",
                                 static_cast<int>(key.size()), key.data(), result.error.c_str());
        return result;
    }
    stored_ = backend_->readAll(identifier_);
    rebuildIndex();
    result =
        backend_->postChange(object_ == BroadcastObject::plugin ? kPluginObject : kPrefPaneObject);
    result.stored = true;
    if (!result.ok()) {
        runtime::systemLogFormat("Wrote the setting %.*s but could not announce it: %s",
                                 static_cast<int>(key.size()), key.data(), result.error.c_str());
    }
    return result;
}

void VantroUserDefaults::synchronize() {
    backend_->synchronize(identifier_);
    stored_ = backend_->readAll(identifier_);
    rebuildIndex();
}

void VantroUserDefaults::vantroPreferencesDidChange() {
    if (object_ == BroadcastObject::plugin) {
        reloadAndNotify();
    }
}

void VantroUserDefaults::reloadAndNotify() {
    synchronize();
    // Tests wait for this line to know a change has reached the process. One
    // write may be reloaded once or twice (its announcement and dconf's own
    // notice can arrive apart), so the line says what was read: a late
    // reload of an earlier write is not taken for a later one.
    VANTRO_TRACE("VTSettings", "reloaded the settings after a change: %s",
                 storedValuesText(stored_).c_str());
    if (changeHandler_) {
        changeHandler_();
    }
}

void VantroUserDefaults::subscribeToChanges() {
    if (subscribed_) {
        return;
    }
    subscribed_ = true;
    // The plug-in's copy observes with its announcement handler; the tools'
    // copy never registers that handler, but still keeps its reads current.
    if (object_ == BroadcastObject::plugin) {
        backend_->subscribe(identifier_, [this] { vantroPreferencesDidChange(); });
    } else {
        backend_->subscribe(identifier_, [this] { reloadAndNotify(); });
    }
}

} // namespace vantro::settings
