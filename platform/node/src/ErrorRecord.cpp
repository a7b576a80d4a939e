#include "Vorn/ErrorRecord.h"

namespace Vorn {

VOZ::Parameters MakeErrorRecord(const std::string& status, const std::string& errorMessage) {
  VOZ::Parameters record;
  record.WriteString("status", status);
  record.WriteString("errorMessage", errorMessage);
  return record;
}

}  // namespace Vorn
