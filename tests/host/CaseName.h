#pragma once

#include <string>

namespace host_test {

// Names each case of a parameterised test after the `name` of its parameter.
struct CaseName {
  template <class TestParamInfo>
  std::string operator()(const TestParamInfo& testCase) const {
    return testCase.param.name;
  }
};

}  // namespace host_test
