#include "loader/bundle_loader.h"

#include "loader/bundle_info.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantro::loader {

namespace {

namespace fs = std::filesystem;

std::vector<std::string> bundlesIn(const std::string& folder) {
    std::vector<std::string> bundles;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".bundle" && entry.is_directory(error)) {
            bundles.push_back(entry.path().string());
        }
    }
    // A stable order, so that which of two copies loads does not depend on
    // the file system.
    std::sort(bundles.begin(), bundles.end());
    return bundles;
}

std::optional<std::string> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::vector<std::string> pluginFolders(const std::string& userDataDirectory) {
    return {userDataDirectory + "/" + std::string(kPluginFolderPath),
            std::string(kSystemDataFolder) + "/" + std::string(kPluginFolderPath)};
}

std::vector<LoadedBundle> BundleLoader::loadFrom(const std::vector<std::string>& folders) {
    const std::size_t before = loaded_.size();
    for (const std::string& folder : folders) {
        for (const std::string& bundle : bundlesIn(folder)) {
            loadBundle(bundle);
        }
    }
    return {loaded_.begin() + static_cast<std::ptrdiff_t>(before), loaded_.end()};
}

bool BundleLoader::loadBundle(const std::string& path) {
    const auto skip = [this, &path](const std::string& why) {
        log_("Skipped the plug-in bundle " + path + ": " + why);
        return false;
    };
    const auto plist = readFile(fs::path(path) / "Contents" / "Info.plist");
    if (!plist) {
        return skip("it has no Contents/Info.plist");
    }
    std::string error;
    const std::optional<BundleInfo> info = bundleInfoFrom(*plist, error);
    if (!info) {
        return skip(error);
    }
    if (info->loaderInterface != kLoaderInterface) {
        return skip("it is made for loader interface " + std::to_string(info->loaderInterface) +
                    ", this loader speaks " + std::to_string(kLoaderInterface));
    }
    const auto already = std::find_if(loaded_.begin(), loaded_.end(), [&info](const auto& b) {
        return b.identifier == info->identifier;
    });
    if (already != loaded_.end()) {
        // The same bundle twice (the user's and the system's copy, or a
        // second load request): the first stays, quietly for a request.
        if (already->path != path) {
            skip(info->identifier + " is already loaded from " + already->path);
        }
        return false;
    }
    const fs::path code = fs::path(path) / "Contents" / "Linux" / info->executable;
    void* handle = dlopen(code.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        return skip(std::string("its code did not load: ") + (why != nullptr ? why : "unknown"));
    }
    using Entry = void (*)();
    auto* entry = reinterpret_cast<Entry>(dlsym(handle, info->entry.c_str()));
    if (entry == nullptr) {
        dlclose(handle);
        return skip("its code has no entry " + info->entry);
    }
    // Kept loaded for the life of the process: the plug-in's hooks live in it.
    loaded_.push_back({info->identifier, path});
    entry();
    return true;
}

} // namespace vantro::loader
