#include "installer/authorized_file_operations.h"

#include "installer/bundle_versions.h"

namespace vantro::installer {

namespace {

std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool AuthorizedFileOperations::placeWithTool(const std::string& source,
                                             const std::string& destination, const ToolRun& place) {
    if (!getAuthorization()) {
        return false;
    }
    if (!somethingExistsAt(source) || somethingExistsAt(destination)) {
        return false;
    }
    const std::string parent = parentOf(destination);
    if (!somethingExistsAt(parent) &&
        !authorization_.run(ToolRun::makeParentFolder(parent)).succeeded) {
        return false;
    }
    // A tool that started but failed is a failure: the caller must not go
    // on as if the copy were there.
    return authorization_.run(place).succeeded;
}

bool AuthorizedFileOperations::authorizedMove(const std::string& source,
                                              const std::string& destination) {
    return placeWithTool(source, destination, ToolRun::move(source, destination));
}

bool AuthorizedFileOperations::authorizedCopy(const std::string& source,
                                              const std::string& destination) {
    return placeWithTool(source, destination, ToolRun::copy(source, destination));
}

bool AuthorizedFileOperations::authorizedRemove(const std::string& path) {
    if (!somethingExistsAt(path)) {
        return true;
    }
    if (!getAuthorization() || !somethingExistsAt(path)) {
        return false;
    }
    return authorization_.run(ToolRun::remove(path)).succeeded;
}

} // namespace vantro::installer
