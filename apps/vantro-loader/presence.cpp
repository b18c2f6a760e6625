#include "presence.h"

namespace vantro::loader_app {

namespace {

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path + std::string(name);
}

} // namespace

std::vector<std::string> scriptingAdditionsFolders(const char* override,
                                                   std::string_view userDataDir) {
    std::vector<std::string> folders;
    if (override != nullptr) {
        const std::string_view list(override);
        for (size_t start = 0; start <= list.size();) {
            size_t end = list.find(':', start);
            if (end == std::string_view::npos) {
                end = list.size();
            }
            if (end > start) {
                folders.emplace_back(list.substr(start, end - start));
            }
            start = end + 1;
        }
    }
    if (!folders.empty()) {
        return folders;
    }
    return {std::string(kSystemScriptingAdditions), joinPath(userDataDir, "ScriptingAdditions")};
}

std::optional<InstalledModule>
findInstalledModule(const std::vector<std::string>& folders,
                    const std::function<bool(const std::string& path)>& isFolder) {
    for (const std::string& folder : folders) {
        std::string scriptingAddition = joinPath(folder, kScriptingAdditionName);
        if (isFolder(scriptingAddition)) {
            std::string module = joinPath(scriptingAddition, kModuleInScriptingAddition);
            return InstalledModule{std::move(scriptingAddition), std::move(module)};
        }
    }
    return std::nullopt;
}

} // namespace vantro::loader_app
