#pragma once

#include <string>

// Narrow text of the host (names of dialogs, viewers and resources).
class KROString {
 public:
  KROString() = default;
  KROString(const char* text) : _Text(text ? text : "") {}
  KROString(std::string text) : _Text(std::move(text)) {}

  const char* CastToCharPtr() const { return _Text.c_str(); }
  bool IsEmpty() const { return _Text.empty(); }
  friend bool operator==(const KROString&, const KROString&) = default;

 private:
  std::string _Text;
};
