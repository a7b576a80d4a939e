#include "VOZ/Parameters.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <unordered_set>

namespace VOZ {

namespace {

// Stored records are dereferenced without checks when read, compared or encoded.
bool HoldsNullRecord(const ParameterValue& value) {
  if (const auto* nested = std::get_if<RecordValue>(&value)) return !nested->record;
  const auto* array = std::get_if<RecordArrayValue>(&value);
  return array && std::ranges::any_of(array->records, [](const auto& record) { return !record; });
}

}  // namespace

template <typename T>
HRESULT Parameters::Write(const std::string& key, T value) {
  return WriteValue(key, ParameterValue(std::in_place_type<T>, std::move(value)));
}

template <typename T>
HRESULT Parameters::Read(const std::string& key, T& value) const {
  const ParameterValue* stored = Find(key);
  const T* typed = stored ? std::get_if<T>(stored) : nullptr;
  if (!typed) return E_FAIL;
  value = *typed;
  return S_OK;
}

template <typename Record>
const Record* Parameters::FindRecord(const std::string& property,
                                     const std::string& typeKey) const {
  const ParameterValue* stored = Find(property);
  const Record* record = stored ? std::get_if<Record>(stored) : nullptr;
  return record && record->typeKey == typeKey ? record : nullptr;
}

HRESULT Parameters::WriteValue(const std::string& key, ParameterValue value) {
  if (key.empty() || HoldsNullRecord(value)) return E_INVALIDARG;
  auto existing = std::find_if(entries_.begin(), entries_.end(),
                               [&key](const Entry& entry) { return entry.first == key; });
  if (existing == entries_.end()) {
    entries_.emplace_back(key, std::move(value));
  } else {
    existing->second = std::move(value);
  }
  return S_OK;
}

HRESULT Parameters::WriteBool(const std::string& key, bool value) {
  return Write(key, value);
}
HRESULT Parameters::WriteUint8(const std::string& key, uint8_t value) {
  return Write(key, value);
}
HRESULT Parameters::WriteUint16(const std::string& key, uint16_t value) {
  return Write(key, value);
}
HRESULT Parameters::WriteUint32(const std::string& key, uint32_t value) {
  return Write(key, value);
}
HRESULT Parameters::WriteInt32(const std::string& key, int32_t value) {
  return Write(key, value);
}
HRESULT Parameters::WriteUint64(const std::string& key, uint64_t value) {
  return Write(key, value);
}
HRESULT Parameters::WriteFloat(const std::string& key, float value) {
  return Write(key, value);
}
HRESULT Parameters::WriteDouble(const std::string& key, double value) {
  return Write(key, value);
}
HRESULT Parameters::WriteString(const std::string& key, const std::string& value) {
  return Write(key, value);
}
HRESULT Parameters::WriteStringArray(const std::string& key,
                                     const std::vector<std::string>& value) {
  return Write(key, value);
}
HRESULT Parameters::WriteUint32Array(const std::string& key, const std::vector<uint32_t>& value) {
  return Write(key, value);
}
HRESULT Parameters::WriteInt32Array(const std::string& key, const std::vector<int32_t>& value) {
  return Write(key, value);
}
HRESULT Parameters::WriteUint8Array(const std::string& key, const std::vector<uint8_t>& value) {
  return Write(key, value);
}
HRESULT Parameters::WriteDoubleArray(const std::string& key, const std::vector<double>& value) {
  return Write(key, value);
}
HRESULT Parameters::WriteBuffer(const std::string& key, const Vorn::Binary& value) {
  return Write(key, value);
}
HRESULT Parameters::WriteParameters(const std::string& key, const Parameters& value) {
  return WriteObjectPrivate(key, "", value);
}

HRESULT Parameters::ReadBool(const std::string& key, bool& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadUint8(const std::string& key, uint8_t& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadUint16(const std::string& key, uint16_t& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadUint32(const std::string& key, uint32_t& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadInt32(const std::string& key, int32_t& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadUint64(const std::string& key, uint64_t& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadFloat(const std::string& key, float& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadDouble(const std::string& key, double& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadString(const std::string& key, std::string& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadStringArray(const std::string& key, std::vector<std::string>& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadUint32Array(const std::string& key, std::vector<uint32_t>& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadInt32Array(const std::string& key, std::vector<int32_t>& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadUint8Array(const std::string& key, std::vector<uint8_t>& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadDoubleArray(const std::string& key, std::vector<double>& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadBuffer(const std::string& key, Vorn::Binary& value) const {
  return Read(key, value);
}
HRESULT Parameters::ReadParameters(const std::string& key, Parameters& value) const {
  return ReadParameters(key, "", value);
}

HRESULT Parameters::WriteObjectPrivate(const std::string& property, const std::string& typeKey,
                                       const Parameters& nested) {
  return Write(property, RecordValue{typeKey, std::make_shared<const Parameters>(nested)});
}

HRESULT Parameters::WriteObjectArrayPrivate(const std::string& property, const std::string& typeKey,
                                            std::vector<std::unique_ptr<Parameters>> records) {
  return Write(property, RecordArrayValue{typeKey,
                                          {std::make_move_iterator(records.begin()),
                                           std::make_move_iterator(records.end())}});
}

HRESULT Parameters::ReadParameters(const std::string& property, const std::string& typeKey,
                                   Parameters& nested) const {
  const auto* stored = FindRecord<RecordValue>(property, typeKey);
  if (!stored) return E_FAIL;
  // Holding the record keeps it alive when nested is the parent being overwritten.
  const auto record = stored->record;
  nested = *record;
  return S_OK;
}

HRESULT Parameters::ReadParametersArray(const std::string& property, const std::string& typeKey,
                                        std::vector<std::unique_ptr<Parameters>>& records) const {
  const auto* stored = FindRecord<RecordArrayValue>(property, typeKey);
  if (!stored) return E_FAIL;
  for (const auto& record : stored->records) {
    records.push_back(std::make_unique<Parameters>(*record));
  }
  return S_OK;
}

Parameters Parameters::CreateEmptyParameters() const {
  return {};
}

std::unique_ptr<Parameters> Parameters::NewEmptyParameters() const {
  return std::make_unique<Parameters>();
}

bool Parameters::Has(const std::string& key) const {
  return Find(key) != nullptr;
}

size_t Parameters::GetCount() const {
  return entries_.size();
}

std::vector<std::string> Parameters::GetKeys() const {
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (const auto& entry : entries_) keys.push_back(entry.first);
  return keys;
}

const ParameterValue* Parameters::Find(const std::string& key) const {
  for (const Entry& entry : entries_) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

HRESULT Parameters::Assign(std::vector<Entry> entries) {
  std::unordered_set<std::string_view> keys;
  keys.reserve(entries.size());
  for (const Entry& entry : entries) {
    if (entry.first.empty() || HoldsNullRecord(entry.second) || !keys.insert(entry.first).second) {
      return E_INVALIDARG;
    }
  }
  entries_ = std::move(entries);
  return S_OK;
}

bool Parameters::operator==(const Parameters& other) const {
  return GetCount() == other.GetCount() &&
         std::all_of(entries_.begin(), entries_.end(), [&other](const Entry& entry) {
           const ParameterValue* theirs = other.Find(entry.first);
           return theirs && *theirs == entry.second;
         });
}

}  // namespace VOZ
