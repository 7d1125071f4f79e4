#pragma once

// lanternfly-cli: runs the program's text machinery from the command line,
// for diagnosis and for other tools. Arguments are UTF-8; each result is
// written as UTF-8 and one "\n". The exit status is 0, or 2 for a call that
// cannot be carried out (usage on `err`).

#include <iosfwd>
#include <string>
#include <vector>

namespace lanternfly {

// `args` without the program's own name.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace lanternfly
