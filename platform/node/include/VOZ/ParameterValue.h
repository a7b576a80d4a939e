#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "Vorn/Binary.h"

namespace VOZ {

class Parameters;

// Stored records are never changed after they are written, so copies of their parent share them.
struct RecordValue {
  std::string typeKey;
  std::shared_ptr<const Parameters> record;
};

struct RecordArrayValue {
  std::string typeKey;
  std::vector<std::shared_ptr<const Parameters>> records;
};

// Deep: records compare by content.
bool operator==(const RecordValue& left, const RecordValue& right);
bool operator==(const RecordArrayValue& left, const RecordArrayValue& right);

// One value with its declared type. The index of each alternative is its tag in encoded records:
// add new types at the end, never reorder.
using ParameterValue =
    std::variant<bool, uint8_t, uint16_t, uint32_t, int32_t, uint64_t, float, double, std::string,
                 std::vector<std::string>, std::vector<uint32_t>, std::vector<int32_t>,
                 std::vector<uint8_t>, std::vector<double>, Vorn::Binary, RecordValue,
                 RecordArrayValue>;

}  // namespace VOZ
