#include "installer/authorized_file_operations.h"

#include "installer/bundle_versions.h"

#include <cstdio>

namespace vantro::installer {

bool AuthorizedFileOperations::run(const HelperRequest& request) {
    if (!getAuthorization()) {
        return false;
    }
    const HelperAnswer answer = authorization_.run(request);
    if (answer.kind != HelperAnswer::Kind::done) {
        std::fprintf(stderr, "vantro-installer: %s %s: %s\n", encodedRequest(request).c_str(),
                     answer.kind == HelperAnswer::Kind::refused ? "refused" : "failed",
                     answer.why.c_str());
        return false;
    }
    return true;
}

bool AuthorizedFileOperations::authorizedInstall(Part part) {
    if (somethingExistsAt(locations_.rootLocationOf(part))) {
        return false;
    }
    return run({HelperRequest::Operation::install, part});
}

bool AuthorizedFileOperations::authorizedRemove(Part part) {
    if (!somethingExistsAt(locations_.rootLocationOf(part))) {
        return true;
    }
    return run({HelperRequest::Operation::remove, part});
}

bool AuthorizedFileOperations::authorizedRegisterLoaderModule(bool named) {
    return run({named ? HelperRequest::Operation::registerModule
                      : HelperRequest::Operation::unregisterModule,
                InstallLocations::Part::loaderModule});
}

} // namespace vantro::installer
