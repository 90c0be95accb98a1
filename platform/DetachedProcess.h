#pragma once

// Starting a helper program that runs on its own: the caller never waits
// for it, and it leaves no zombie behind.

#include <string>
#include <vector>

namespace platform {

// True when `program` is an executable file in one of $PATH's folders.
bool isProgramAvailable(const std::string& program);

// Starts argv[0] (looked up in $PATH) with the other arguments, detached
// from the caller, its standard streams on /dev/null. False when it could
// not be started.
bool launchDetached(const std::vector<std::string>& argv);

}  // namespace platform
