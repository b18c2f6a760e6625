#pragma once

// The sheet that reports what an install or removal achieved, judged from
// what is on disk afterwards, and the buttons that lead to the next step.

#include "installer/install_flow.h"

#include <string>

namespace vantro::installer {

struct OutcomeSheet {
    bool success = false;
    std::string message;
    std::string informativeText;
    std::string defaultButton;
    std::string alternateButton;
};

// `loaderModuleReady` is the flow's: an install that left no loader module
// named for the applications has not installed the plug-in usefully.
OutcomeSheet outcomeSheet(const InstallChoices& choices, const InstallLocations& locations,
                          const Versions& versions, bool loaderModuleReady);

} // namespace vantro::installer
