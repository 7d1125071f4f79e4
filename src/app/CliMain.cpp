#include <iostream>

#include "app/Cli.h"
#include "platform/Console.h"

int main(int argc, char** argv) {
  lanternfly::UseBinaryStandardOutput();
  int status = lanternfly::RunCli(lanternfly::CommandLineArguments(argc, argv), std::cout, std::cerr);
  std::cout.flush();
  return status;
}
