#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Text of the host, stored as UTF-8.
class KROUnicodeString {
 public:
  KROUnicodeString() = default;
  KROUnicodeString(const char* utf8) : _Text(utf8 ? utf8 : "") {}
  KROUnicodeString(std::string utf8) : _Text(std::move(utf8)) {}
  KROUnicodeString(std::string_view utf8) : _Text(utf8) {}

  const char* CastToCharPtr() const { return _Text.c_str(); }
  const std::string& ToStdString() const { return _Text; }
  bool IsEmpty() const { return _Text.empty(); }
  std::size_t GetLengthInByte() const { return _Text.size(); }
  // Number of characters (code points) of the UTF-8 text.
  std::size_t GetLengthInChar() const;

  KROUnicodeString& Append(const KROUnicodeString& other) {
    _Text += other._Text;
    return *this;
  }
  KROUnicodeString& operator+=(const KROUnicodeString& other) { return Append(other); }
  friend KROUnicodeString operator+(KROUnicodeString left, const KROUnicodeString& right) {
    return left.Append(right);
  }
  friend auto operator<=>(const KROUnicodeString&, const KROUnicodeString&) = default;
  friend bool operator==(const KROUnicodeString&, const KROUnicodeString&) = default;

 private:
  std::string _Text;
};

template <>
struct std::hash<KROUnicodeString> {
  std::size_t operator()(const KROUnicodeString& text) const noexcept {
    return std::hash<std::string>()(text.ToStdString());
  }
};
