// Code pages on Windows: MultiByteToWideChar and WideCharToMultiByte.

#include <windows.h>

#include "platform/CodePage.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

class Win32CodePage final : public CodePage {
 public:
  Win32CodePage(UINT page, int number) : page_(page), number_(number) {
    CPINFO info{};
    bool known = GetCPInfo(page, &info);
    narrow_ = known && info.MaxCharSize <= 2;
    doubleByte_ = known && info.MaxCharSize == 2;
    LearnAscii();
  }

  int Number() const override { return number_; }

  std::u16string FullDecode(std::string_view bytes) const override {
    if (!doubleByte_) return Convert(bytes);
    // A lead byte before a byte below 0x40, which ends no double-byte
    // character (blanks, digits, punctuation), stands alone as one unknown
    // character; converted together, the system may drop the second byte.
    std::u16string text;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (!IsDBCSLeadByteEx(page_, static_cast<BYTE>(bytes[i]))) continue;
      if (i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i + 1]) >= 0x40) {
        ++i;
        continue;
      }
      text += Convert(bytes.substr(start, i + 1 - start));
      start = i + 1;
    }
    return text + Convert(bytes.substr(start));
  }

  std::string FullEncode(std::u16string_view text) const override {
    if (text.empty()) return {};
    std::u16string copy;
    if (narrow_) {
      // Such a page has no character beyond the first plane: a surrogate
      // pair is one character it cannot write, so one "?".
      copy.reserve(text.size());
      for (std::size_t i = 0; i < text.size(); ++i) {
        bool pair = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
        copy += pair || IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]) ? u'?' : text[i];
        if (pair) ++i;
      }
      text = copy;
    }
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    int length = static_cast<int>(text.size());
    // No "best fit": a character the page lacks becomes "?", never a look-alike.
    // Some pages refuse both, failing the whole conversion: they get neither.
    DWORD flags = TakesNoFlags() ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* replacement = TakesNoFlags() ? nullptr : "?";
    int size = WideCharToMultiByte(page_, flags, wide, length, nullptr, 0, replacement, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(page_, flags, wide, length, bytes.data(), size, replacement, nullptr);
    return bytes;
  }

 private:
  // UTF-7, UTF-8 (also as the system's code page), Symbol, and the ISCII and
  // ISO-2022 pages.
  bool TakesNoFlags() const {
    return number_ == 65000 || number_ == 65001 || number_ == 42 || (number_ >= 50220 && number_ <= 50229) ||
           (number_ >= 57002 && number_ <= 57011);
  }

  std::u16string Convert(std::string_view bytes) const {
    if (bytes.empty()) return {};
    int length = static_cast<int>(bytes.size());
    int units = MultiByteToWideChar(page_, 0, bytes.data(), length, nullptr, 0);
    std::u16string text(static_cast<std::size_t>(units > 0 ? units : 0), u'\0');
    if (units > 0) MultiByteToWideChar(page_, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()), units);
    return text;
  }

  UINT page_;
  int number_;
  bool narrow_ = true;
  bool doubleByte_ = false;
};

}  // namespace

std::unique_ptr<CodePage> OpenCodePage(int number) {
  if (number <= 0 || !IsValidCodePage(static_cast<UINT>(number))) return nullptr;
  return std::make_unique<Win32CodePage>(static_cast<UINT>(number), number);
}

std::unique_ptr<CodePage> SystemCodePage() {
  return std::make_unique<Win32CodePage>(CP_ACP, static_cast<int>(GetACP()));
}

}  // namespace lanternfly
