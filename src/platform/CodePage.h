#pragma once

// The one place where 8-bit text meets the program's UTF-16 text. Window
// titles, class names, window text, file paths, file contents and the
// settings file are 8-bit text in the system code page; they are converted
// here and nowhere else.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lanternfly {

class CodePage {
 public:
  virtual ~CodePage() = default;

  // The Windows code page number: 1252 (Western), 932 (Japanese), ...
  virtual int Number() const = 0;

  // Bytes to text. Never fails: a byte that the code page leaves undefined
  // becomes one character of its own (U+0080 to U+00FF for a single byte,
  // as Windows does for 1252), so nothing read is dropped, and a double-byte
  // character is never split in two.
  std::u16string Decode(std::string_view bytes) const;

  // Text to bytes. A character the code page cannot write becomes "?".
  std::string Encode(std::u16string_view text) const;

  // The same conversions through the system's converter, also for ASCII
  // text, which Decode and Encode convert byte for byte where the page
  // writes ASCII as itself.
  virtual std::u16string FullDecode(std::string_view bytes) const = 0;
  virtual std::string FullEncode(std::u16string_view text) const = 0;

 protected:
  // Called once the page converts: learns whether it writes every ASCII
  // character as that byte, in any context.
  void LearnAscii();

 private:
  bool asciiAsIs_ = false;
};

// `text` in the code page when every character of it can be written there
// (a file path, say, that must not turn into another); nothing otherwise.
std::optional<std::string> EncodeExactly(const CodePage& codePage, std::u16string_view text);

// The code page with that number, or nullptr when this build has none.
std::unique_ptr<CodePage> OpenCodePage(int number);

// The code page of this system: the ANSI code page on Windows, 1252 in the
// native build.
std::unique_ptr<CodePage> SystemCodePage();

}  // namespace lanternfly
