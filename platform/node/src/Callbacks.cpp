#include "VOZ/Callbacks.h"

#include <utility>

namespace VOZ {

Callbacks::Callbacks(Handler onSuccess, Handler onError)
    : onSuccess_(std::move(onSuccess)), onError_(std::move(onError)) {}

bool Callbacks::HasOnError() const {
  return static_cast<bool>(onError_);
}

HRESULT Callbacks::Success(const Parameters& answer) const {
  return onSuccess_ ? onSuccess_(answer) : E_FAIL;
}

HRESULT Callbacks::Error(const Parameters& answer) const {
  return onError_ ? onError_(answer) : S_FALSE;
}

}  // namespace VOZ
