#include "installer/bundle_versions.h"

#include "loader/bundle_info.h"

#include <glib.h>
#include <sys/stat.h>

namespace vantro::installer {

std::optional<std::string> bundleVersion(const std::string& bundlePath, std::string_view key) {
    const std::string plist = bundlePath + std::string(kInfoPlistPath);
    gchar* contents = nullptr;
    gsize length = 0;
    if (g_file_get_contents(plist.c_str(), &contents, &length, nullptr) == FALSE) {
        return std::nullopt;
    }
    const auto values = loader::readPropertyList(std::string_view(contents, length));
    g_free(contents);
    if (!values) {
        return std::nullopt;
    }
    const auto found = values->find(std::string(key));
    if (found == values->end()) {
        return std::nullopt;
    }
    return found->second;
}

bool somethingExistsAt(const std::string& path) {
    struct stat status {};
    return !path.empty() && lstat(path.c_str(), &status) == 0;
}

} // namespace vantro::installer
