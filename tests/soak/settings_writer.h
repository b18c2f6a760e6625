#pragma once

// Settings changed under the soak player by other processes: values of each
// key's shape with vantro-prefs (which announces the change), values of
// shapes no key has straight into dconf (only dconf's own notification
// carries them), and resets of one key or of the whole folder.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vantro::soak {

class SettingsWriter {
  public:
    // Reads the keys and their values' texts from `vantro-prefs list`.
    explicit SettingsWriter(std::string prefs);

    [[nodiscard]] bool ready() const { return !keys_.empty(); }
    // Makes the change `draw` chooses; says what it ran and how it ended.
    std::string change(std::uint32_t draw);

  private:
    std::string prefs_;
    std::vector<std::pair<std::string, std::string>> keys_; // name, value text ("-": unset)
};

} // namespace vantro::soak
