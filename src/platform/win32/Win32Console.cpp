#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/Console.h"
#include "text/Text.h"

namespace lanternfly {

std::vector<std::string> CommandLineArguments(int, char**) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> result;
  for (int i = 1; arguments != nullptr && i < count; ++i) {
    result.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(arguments[i])));
  }
  LocalFree(arguments);
  return result;
}

void UseBinaryStandardOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace lanternfly
