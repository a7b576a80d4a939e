#include "JSON/JOStream.h"

#include <nlohmann/json.hpp>

namespace JSON {

struct JOStream::Object {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
};

JOStream::JOStream() : object_(std::make_unique<Object>()) {}
JOStream::JOStream(const JOStream& other) : object_(std::make_unique<Object>(*other.object_)) {}
JOStream::~JOStream() = default;

JOStream& JOStream::operator=(const JOStream& other) {
  if (this != &other) object_ = std::make_unique<Object>(*other.object_);
  return *this;
}

template <typename T>
JOStream& JOStream::Set(const std::string& key, const T& value) {
  object_->json[key] = value;
  return *this;
}

JOStream& JOStream::Add(const std::string& key, const std::string& value) {
  return Set(key, value);
}
JOStream& JOStream::Add(const std::string& key, const char* value) {
  return value ? Set(key, std::string(value)) : Set(key, nullptr);
}
JOStream& JOStream::Add(const std::string& key, bool value) {
  return Set(key, value);
}
JOStream& JOStream::Add(const std::string& key, int value) {
  return Set(key, value);
}
JOStream& JOStream::Add(const std::string& key, unsigned value) {
  return Set(key, value);
}
JOStream& JOStream::Add(const std::string& key, int64_t value) {
  return Set(key, value);
}
JOStream& JOStream::Add(const std::string& key, uint64_t value) {
  return Set(key, value);
}
JOStream& JOStream::Add(const std::string& key, double value) {
  return Set(key, value);
}
JOStream& JOStream::Add(const std::string& key, const JOStream& object) {
  return Set(key, object.object_->json);
}

std::string JOStream::Stringify() const {
  return object_->json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace JSON
