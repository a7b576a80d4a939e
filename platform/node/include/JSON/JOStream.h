#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace JSON {

// Builds one JSON object whose members keep the order they were added in. Adding a key again
// replaces its value in place. Copies are deep (objects are small); there is no moved-from state.
class JOStream {
 public:
  JOStream();
  JOStream(const JOStream& other);
  JOStream& operator=(const JOStream& other);
  ~JOStream();

  JOStream& Add(const std::string& key, const std::string& value);
  // A null text is JSON null.
  JOStream& Add(const std::string& key, const char* value);
  JOStream& Add(const std::string& key, bool value);
  JOStream& Add(const std::string& key, int value);
  JOStream& Add(const std::string& key, unsigned value);
  JOStream& Add(const std::string& key, int64_t value);
  JOStream& Add(const std::string& key, uint64_t value);
  JOStream& Add(const std::string& key, double value);
  JOStream& Add(const std::string& key, const JOStream& object);

  // Compact; invalid UTF-8 in strings becomes U+FFFD.
  std::string Stringify() const;

 private:
  struct Object;
  template <typename T>
  JOStream& Set(const std::string& key, const T& value);

  std::unique_ptr<Object> object_;
};

}  // namespace JSON
