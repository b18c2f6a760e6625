#pragma once

// What the plug-in remembers about windows between two calls, kept outside
// the windows it does not own: one process-wide store with an entry per
// window and the one process-wide value "activeMenuFeature". Entries are
// dictionaries keyed by the names below; lengths are stored in single
// precision and rectangles as arrays of four such numbers.
//
// Entries are keyed by the window object's identity, which is unique among
// live windows and stable for a window's life; an entry is removed when its
// window is ordered out and when the backend reports the window gone, so that
// a later window at the same address starts with none.

#include "platform/geometry.h"
#include "runtime/object.h"
#include "settings/plist_value.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vantro::core {

namespace state_key {
inline constexpr std::string_view kPreviousRect = "previousRect";
inline constexpr std::string_view kPreviousVisibleFrame = "previousVisibleFrame";
inline constexpr std::string_view kZoomedToFrame = "vantroZoomedToFrame";
inline constexpr std::string_view kZoom = "vantroZoom";
inline constexpr std::string_view kThisShouldDoFeature = "thisShouldDoFeature";
inline constexpr std::string_view kLastZoomFeaturePerformed = "lastZoomFeaturePerformed";
inline constexpr std::string_view kHitConstraint = "hitConstraint";
inline constexpr std::string_view kMouseOffset = "mouseOffset";
inline constexpr std::string_view kActiveFeatures = "activeFeatures";
inline constexpr std::string_view kHasVantroResized = "hasVantroResized";
inline constexpr std::string_view kTemporaryMinWidth = "temporaryMinWidth";
inline constexpr std::string_view kTemporaryMinHeight = "temporaryMinHeight";
inline constexpr std::string_view kKeepWidth = "keepWidth";
inline constexpr std::string_view kKeepHeight = "keepHeight";
inline constexpr std::string_view kAspectRatio = "aspectRatio";
inline constexpr std::string_view kSizeLimitsForAspectRatio = "sizeLimitsForAspectRatio";
// Top level, beside the window entries.
inline constexpr std::string_view kActiveMenuFeature = "activeMenuFeature";
} // namespace state_key

using WindowEntry = settings::Dictionary;

class WindowStateStore {
  public:
    // The window's entry, or null when it has none.
    [[nodiscard]] WindowEntry* entryFor(const runtime::Object* window);
    [[nodiscard]] const WindowEntry* entryFor(const runtime::Object* window) const;
    // The window's entry, created empty if missing.
    WindowEntry& ensureEntry(const runtime::Object* window);
    // Forgets everything about the window.
    void removeEntry(const runtime::Object* window);
    [[nodiscard]] std::size_t entryCount() const { return entries_.size(); }

    [[nodiscard]] std::optional<std::string_view> activeMenuFeature() const;
    void setActiveMenuFeature(std::string_view feature) { activeMenuFeature_ = feature; }
    void removeActiveMenuFeature() { activeMenuFeature_.reset(); }

  private:
    std::unordered_map<const runtime::Object*, WindowEntry> entries_;
    std::optional<std::string> activeMenuFeature_;
};

// The process's store, created empty on first use and never destroyed.
WindowStateStore& vantroFakeIvars();

// --- Value encodings --------------------------------------------------------

// Four single-precision numbers: x, y, width, height.
settings::PlistValue vantroRectToArray(const Rect& rect);
// The zero rectangle for nothing, or anything but an array of exactly four
// numbers.
Rect vantroArrayToRect(const settings::PlistValue* value);

// Reads from an entry that may be null: a missing flag is false, a missing
// number 0, a missing string null.
bool readFlag(const WindowEntry* entry, std::string_view key);
double readLength(const WindowEntry* entry, std::string_view key);
Rect readRect(const WindowEntry* entry, std::string_view key);
const std::string* readString(const WindowEntry* entry, std::string_view key);

// Writes that reuse the stored value's storage when it already has the
// shape, so that a drag step rewriting its state does not allocate.
void writeFlag(WindowEntry& entry, std::string_view key, bool value);
void writeLength(WindowEntry& entry, std::string_view key, double value);
void writeRect(WindowEntry& entry, std::string_view key, const Rect& rect);
void writeString(WindowEntry& entry, std::string_view key, std::string_view value);
void removeKey(WindowEntry& entry, std::string_view key);

} // namespace vantro::core
