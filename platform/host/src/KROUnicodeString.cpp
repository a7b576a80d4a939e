#include "KROUnicodeString.h"

std::size_t KROUnicodeString::GetLengthInChar() const {
  std::size_t count = 0;
  for (unsigned char byte : _Text) {
    if ((byte & 0xC0) != 0x80) ++count;  // continuation bytes belong to the previous character
  }
  return count;
}
