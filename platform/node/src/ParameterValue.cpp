#include "VOZ/ParameterValue.h"

#include <algorithm>

#include "VOZ/Parameters.h"

namespace VOZ {

namespace {

bool SameContent(const std::shared_ptr<const Parameters>& left,
                 const std::shared_ptr<const Parameters>& right) {
  return left == right || (left && right && *left == *right);
}

}  // namespace

bool operator==(const RecordValue& left, const RecordValue& right) {
  return left.typeKey == right.typeKey && SameContent(left.record, right.record);
}

bool operator==(const RecordArrayValue& left, const RecordArrayValue& right) {
  return left.typeKey == right.typeKey &&
         std::equal(left.records.begin(), left.records.end(), right.records.begin(),
                    right.records.end(), SameContent);
}

}  // namespace VOZ
