#pragma once

// One run of a command-line tool: the program's absolute path and its
// arguments, as the file operations with administrator rights make them.

#include <string>
#include <vector>

namespace vantro::installer {

inline constexpr const char* kMakeFolderTool = "/bin/mkdir";
inline constexpr const char* kMoveTool = "/bin/mv";
inline constexpr const char* kCopyTool = "/bin/cp";
inline constexpr const char* kRemoveTool = "/bin/rm";

struct ToolRun {
    std::string tool;
    std::vector<std::string> arguments;

    static ToolRun makeParentFolder(const std::string& parent) {
        return {kMakeFolderTool, {"-p", parent}};
    }
    static ToolRun move(const std::string& source, const std::string& destination) {
        return {kMoveTool, {"-n", source, destination}};
    }
    static ToolRun copy(const std::string& source, const std::string& destination) {
        return {kCopyTool, {"-R", source, destination}};
    }
    static ToolRun remove(const std::string& path) { return {kRemoveTool, {"-d", "-R", path}}; }

    bool operator==(const ToolRun&) const = default;
};

} // namespace vantro::installer
