#pragma once

#include <functional>

#include "KROResult.h"
#include "VOZ/Parameters.h"

namespace VOZ {

// The handlers of one remote command's answer.
class Callbacks {
 public:
  using Handler = std::function<HRESULT(const Parameters&)>;

  Callbacks(Handler onSuccess, Handler onError = {});

  bool HasOnError() const;
  // E_FAIL when there is no success handler.
  HRESULT Success(const Parameters& answer) const;
  // S_FALSE when there is no error handler: nobody asked to hear about the error.
  HRESULT Error(const Parameters& answer) const;

 private:
  Handler onSuccess_;
  Handler onError_;
};

}  // namespace VOZ
