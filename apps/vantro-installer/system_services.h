#pragma once

// The installer's services on this machine: administrator rights through
// the authorization, the dconf settings store, XDG autostart entries, the
// GTK settings files, the loader program and the display's bell.

#include "installer/authorization.h"
#include "installer/authorized_file_operations.h"
#include "installer/installer_services.h"
#include "installer/login_items.h"

#include <memory>

namespace vantro::settings {
class VantroUserDefaults;
}

namespace vantro::installer_app {

class SystemServices : public installer::InstallerServices {
  public:
    SystemServices(std::unique_ptr<installer::Authorization> authorization,
                   const installer::InstallLocations& locations);
    ~SystemServices() override;
    SystemServices(const SystemServices&) = delete;
    SystemServices& operator=(const SystemServices&) = delete;

    bool getAuthorization() override { return files_.getAuthorization(); }
    bool authorizedInstall(installer::InstallLocations::Part part) override;
    bool authorizedRemove(installer::InstallLocations::Part part) override;
    std::optional<std::string> owningPackage(const std::string& location) override;
    void writeSetting(std::string_view key, bool value) override;
    bool trashSettings() override;
    void synchronizeSettings() override;
    bool inLoginItems(const std::string& loader) override;
    void addToLoginItems(const std::string& loader) override;
    void removeFromLoginItems(const std::string& loader) override;
    void launchLoader(const std::string& loader) override;
    bool registerLoaderModule(const std::string& moduleFile, bool systemWide) override;
    bool unregisterLoaderModule(const std::string& moduleFile, bool systemWide) override;
    void beep() override;

  private:
    bool editUserGtkSettings(const std::string& moduleFile, bool naming);

    std::unique_ptr<installer::Authorization> authorization_;
    installer::AuthorizedFileOperations files_;
    installer::LoginItems loginItems_;
    std::unique_ptr<settings::VantroUserDefaults> store_;
};

} // namespace vantro::installer_app
