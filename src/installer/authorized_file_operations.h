#pragma once

// Copying, moving and removing with administrator rights, by running the
// standard tools through the authorization: the destination's parent folder
// is made first when missing, and nothing is ever copied or moved onto
// something that exists (the copy tool would merge into it).

#include "installer/authorization.h"

#include <string>

namespace vantro::installer {

class AuthorizedFileOperations {
  public:
    explicit AuthorizedFileOperations(Authorization& authorization)
        : authorization_(authorization) {}

    // Whether the rights are held, asking for them when they are not.
    bool getAuthorization() { return authorization_.obtain(); }

    bool authorizedMove(const std::string& source, const std::string& destination);
    bool authorizedCopy(const std::string& source, const std::string& destination);
    // True also when nothing is at `path`, without asking for rights.
    bool authorizedRemove(const std::string& path);

  private:
    bool placeWithTool(const std::string& source, const std::string& destination,
                       const ToolRun& place);

    Authorization& authorization_;
};

} // namespace vantro::installer
