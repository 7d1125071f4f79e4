#pragma once

// The command line and standard output of a console program.

#include <string>
#include <vector>

namespace lanternfly {

// The program's arguments, without its own name, as UTF-8. On Windows they
// come from the wide command line, so no character is lost to the code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard output takes the bytes as written: "\n" stays "\n".
void UseBinaryStandardOutput();

}  // namespace lanternfly
