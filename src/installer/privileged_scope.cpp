#include "installer/privileged_scope.h"

#include "installer/bundle_versions.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

namespace vantro::installer {

namespace {

std::vector<std::string> componentsOf(std::string_view path) {
    std::vector<std::string> components;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            components.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return components;
}

bool isDotOrDotDot(const std::string& component) {
    return component == "." || component == "..";
}

std::string realPathOf(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

std::string joined(std::string base, const std::vector<std::string>& components, size_t from,
                   size_t to) {
    for (size_t i = from; i < to; ++i) {
        if (base.empty() || base.back() != '/') {
            base += '/';
        }
        base += components[i];
    }
    return base.empty() ? "/" : base;
}

// `components` (of an absolute path) with links, "." and ".." resolved
// through the longest prefix that exists; the rest, which does not exist
// yet, must hold neither "." nor "..": what they would mean depends on what
// is created later. Empty when that is not so.
std::string resolvedComponents(const std::vector<std::string>& components) {
    for (size_t existing = components.size() + 1; existing-- > 0;) {
        const std::string prefix = joined("/", components, 0, existing);
        std::string resolved = realPathOf(prefix);
        if (resolved.empty()) {
            continue;
        }
        if (std::any_of(components.begin() + static_cast<std::ptrdiff_t>(existing),
                        components.end(), isDotOrDotDot)) {
            return {};
        }
        return joined(std::move(resolved), components, existing, components.size());
    }
    return {};
}

std::string resolvedPath(std::string_view path) {
    if (!path.starts_with('/')) {
        return {};
    }
    return resolvedComponents(componentsOf(path));
}

std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::string resolvedLocation(std::string_view path) {
    if (!path.starts_with('/')) {
        return {};
    }
    std::vector<std::string> components = componentsOf(path);
    if (components.empty() || isDotOrDotDot(components.back())) {
        return {};
    }
    const std::string last = components.back();
    components.pop_back();
    const std::string parent = resolvedComponents(components);
    if (parent.empty()) {
        return {};
    }
    return joined(parent, {last}, 0, 1);
}

PrivilegedScope::PrivilegedScope(const std::vector<Location>& locations) {
    for (const Location& location : locations) {
        const std::string base = resolvedPath(location.base);
        const std::vector<std::string> below = componentsOf(location.below);
        if (base.empty() || below.empty() ||
            std::any_of(below.begin(), below.end(), isDotOrDotDot)) {
            continue;
        }
        locations_.push_back(joined(base, below, 0, below.size()));
        parents_.push_back(parentOf(locations_.back()));
    }
}

PrivilegedScope PrivilegedScope::ofSystem(const InstallLocations& locations,
                                          std::string_view gtkSettingsFolder) {
    const std::string& system = locations.systemFolder;
    const auto below = [&system](const std::string& location) {
        return location.substr(std::min(location.size(), system.size()));
    };
    return PrivilegedScope({
        {system, below(locations.rootPrefPane)},
        {system, below(locations.rootPlugin)},
        {system, below(locations.rootLoaderModule)},
        {std::string(gtkSettingsFolder), std::string(kGtkSettingsFileName)},
    });
}

bool PrivilegedScope::isLocation(const std::string& path) const {
    const std::string resolved = resolvedLocation(path);
    return !resolved.empty() &&
           std::find(locations_.begin(), locations_.end(), resolved) != locations_.end();
}

bool PrivilegedScope::isParentOfLocation(const std::string& path) const {
    const std::string resolved = resolvedPath(path);
    return !resolved.empty() &&
           std::find(parents_.begin(), parents_.end(), resolved) != parents_.end();
}

std::string PrivilegedScope::refusalOf(const ToolRun& run) const {
    const std::vector<std::string>& arguments = run.arguments;
    const auto argumentsAre = [&arguments](std::initializer_list<const char*> fixed, size_t paths) {
        return arguments.size() == fixed.size() + paths &&
               std::equal(fixed.begin(), fixed.end(), arguments.begin());
    };
    const std::string outside = " is not an install location of Vantro";

    if (run.tool == kMakeFolderTool) {
        if (!argumentsAre({"-p"}, 1)) {
            return "mkdir takes exactly -p and one folder";
        }
        return isParentOfLocation(arguments[1]) ? ""
                                                : arguments[1] + " is not the folder of an install "
                                                                 "location of Vantro";
    }
    if (run.tool == kMoveTool || run.tool == kCopyTool) {
        const bool move = run.tool == kMoveTool;
        if (!argumentsAre({move ? "-n" : "-R"}, 2)) {
            return move ? "mv takes exactly -n, a source and a destination"
                        : "cp takes exactly -R, a source and a destination";
        }
        const std::string& source = arguments[1];
        const std::string& destination = arguments[2];
        if (!source.starts_with('/') || !somethingExistsAt(source)) {
            return source + " is not an absolute path to something that exists";
        }
        if (move && !isLocation(source)) {
            return source + outside;
        }
        if (!isLocation(destination)) {
            return destination + outside;
        }
        if (somethingExistsAt(destination)) {
            return destination + " already exists";
        }
        return {};
    }
    if (run.tool == kRemoveTool) {
        if (!argumentsAre({"-d", "-R"}, 1)) {
            return "rm takes exactly -d, -R and one path";
        }
        return isLocation(arguments[2]) ? "" : arguments[2] + outside;
    }
    return run.tool + " is not one of the tools the installer runs";
}

} // namespace vantro::installer
