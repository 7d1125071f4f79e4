// Code pages for the native build, on glibc's iconv.

#include <iconv.h>

#include <bitset>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/CodePage.h"

namespace lanternfly {
namespace {

// What Windows puts in place of a byte sequence that a double-byte code page
// does not define: U+30FB (KATAKANA MIDDLE DOT) for 932.
constexpr char16_t kDoubleByteDefault = u'\u30FB';

class IconvCodePage final : public CodePage {
 public:
  IconvCodePage(int number, iconv_t toUtf16, iconv_t fromUtf16, bool doubleByte)
      : number_(number), toUtf16_(toUtf16), fromUtf16_(fromUtf16), doubleByte_(doubleByte) {
    if (!doubleByte_) {
      // The bytes this single-byte page leaves undefined decode to U+0080 to
      // U+00FF of the same value; remember them so they encode back unchanged.
      for (int byte = 0x80; byte <= 0xFF; ++byte) {
        char in = static_cast<char>(byte);
        char16_t out;
        char* inPointer = &in;
        char* outPointer = reinterpret_cast<char*>(&out);
        std::size_t inLeft = 1, outLeft = sizeof out;
        iconv(toUtf16_, nullptr, nullptr, nullptr, nullptr);
        undefined_[byte] = iconv(toUtf16_, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1);
      }
    }
    LearnAscii();
  }

  ~IconvCodePage() override {
    iconv_close(toUtf16_);
    iconv_close(fromUtf16_);
  }

  IconvCodePage(const IconvCodePage&) = delete;
  IconvCodePage& operator=(const IconvCodePage&) = delete;

  int Number() const override { return number_; }

  std::u16string FullDecode(std::string_view bytes) const override {
    std::u16string text;
    text.reserve(bytes.size());
    iconv(toUtf16_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());  // iconv's signature; it only reads
    std::size_t inLeft = bytes.size();
    char16_t buffer[512];
    while (inLeft > 0) {
      char* out = reinterpret_cast<char*>(buffer);
      std::size_t outLeft = sizeof buffer;
      std::size_t done = iconv(toUtf16_, &in, &inLeft, &out, &outLeft);
      int error = errno;
      text.append(buffer, (sizeof buffer - outLeft) / sizeof(char16_t));
      if (done != static_cast<std::size_t>(-1) || error == E2BIG) continue;
      // An undefined byte, or a lead byte without its trail byte. What iconv
      // still holds comes before it.
      Flush(toUtf16_, text);
      unsigned char bad = static_cast<unsigned char>(*in);
      text.push_back(doubleByte_ ? kDoubleByteDefault : static_cast<char16_t>(bad));
      ++in;
      --inLeft;
    }
    Flush(toUtf16_, text);
    return text;
  }

  std::string FullEncode(std::u16string_view text) const override {
    std::string bytes;
    bytes.reserve(text.size());
    iconv(fromUtf16_, nullptr, nullptr, nullptr, nullptr);
    // iconv reads the UTF-16LE bytes of the text; char16_t is little-endian
    // on every machine this builds for.
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
    std::size_t inLeft = text.size() * sizeof(char16_t);
    char buffer[1024];
    while (inLeft > 0) {
      char* out = buffer;
      std::size_t outLeft = sizeof buffer;
      std::size_t done = iconv(fromUtf16_, &in, &inLeft, &out, &outLeft);
      int error = errno;
      bytes.append(buffer, sizeof buffer - outLeft);
      if (done != static_cast<std::size_t>(-1) || error == E2BIG) continue;
      // A character this code page cannot write, or a lone surrogate. The
      // "?" must not land inside a shifted run.
      Flush(fromUtf16_, bytes);
      char16_t bad;
      std::memcpy(&bad, in, sizeof bad);
      bytes.push_back(bad < 0x100 && undefined_[bad] ? static_cast<char>(bad) : '?');
      std::size_t units = 1;
      if (inLeft >= 4) {
        char16_t first, second;
        std::memcpy(&first, in, 2);
        std::memcpy(&second, in + 2, 2);
        if (first >= 0xD800 && first <= 0xDBFF && second >= 0xDC00 && second <= 0xDFFF) units = 2;
      }
      std::size_t skip = units * sizeof(char16_t) < inLeft ? units * sizeof(char16_t) : inLeft;
      in += skip;
      inLeft -= skip;
    }
    Flush(fromUtf16_, bytes);
    return bytes;
  }

 private:
  // Ends a conversion: iconv holds back what may still change with the input
  // that follows (1255 and 1258 keep a letter that a combining mark could
  // join) and a stateful page must shift back to its initial state.
  template <typename String>
  static void Flush(iconv_t converter, String& out) {
    typename String::value_type buffer[16];
    for (;;) {
      char* end = reinterpret_cast<char*>(buffer);
      std::size_t left = sizeof buffer;
      std::size_t done = iconv(converter, nullptr, nullptr, &end, &left);
      int error = errno;
      out.append(buffer, (sizeof buffer - left) / sizeof buffer[0]);
      if (done != static_cast<std::size_t>(-1) || error != E2BIG) return;
    }
  }

  int number_;
  iconv_t toUtf16_;
  iconv_t fromUtf16_;
  bool doubleByte_;
  std::bitset<256> undefined_;
};

}  // namespace

std::unique_ptr<CodePage> OpenCodePage(int number) {
  if (number <= 0) return nullptr;
  std::string name = "CP" + std::to_string(number);
  iconv_t toUtf16 = iconv_open("UTF-16LE", name.c_str());
  if (toUtf16 == reinterpret_cast<iconv_t>(-1)) return nullptr;
  iconv_t fromUtf16 = iconv_open(name.c_str(), "UTF-16LE");
  if (fromUtf16 == reinterpret_cast<iconv_t>(-1)) {
    iconv_close(toUtf16);
    return nullptr;
  }
  // The Windows double-byte code pages: Japanese, Chinese (simplified and
  // traditional) and Korean.
  bool doubleByte = number == 932 || number == 936 || number == 949 || number == 950;
  return std::make_unique<IconvCodePage>(number, toUtf16, fromUtf16, doubleByte);
}

std::unique_ptr<CodePage> SystemCodePage() { return OpenCodePage(1252); }

}  // namespace lanternfly
