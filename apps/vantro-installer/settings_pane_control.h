#pragma once

// The settings application as the installer sees it: whether it runs (it
// must not while its pane is replaced or removed), asking it to quit, and
// opening the installed pane when the user asks at the end.

#include <string>

namespace vantro::installer_app {

class SettingsPaneControl {
  public:
    virtual ~SettingsPaneControl() = default;
    [[nodiscard]] virtual bool isRunning() const = 0;
    virtual void tellToQuit() = 0;
    // Starts the settings application of the pane at `paneLocation`; a
    // running one comes to the front.
    virtual void launch(const std::string& paneLocation) = 0;
};

// The settings application is running when its application id
// ("com.quillworks.VantroSettings") has an owner on the session bus; it is
// asked to quit through its "quit" action.
class SessionSettingsPane : public SettingsPaneControl {
  public:
    [[nodiscard]] bool isRunning() const override;
    void tellToQuit() override;
    void launch(const std::string& paneLocation) override;
};

} // namespace vantro::installer_app
