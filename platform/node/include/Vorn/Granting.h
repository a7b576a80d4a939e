#pragma once

#include <functional>
#include <string>

#include "KROResult.h"

namespace Vorn {

// The login service's address of a streaming service address: "wss://" becomes "https://", the
// streaming hosts' label "-krostream" becomes the login host's "-iam" and "/hypervisor" goes,
// every occurrence of each. False, with `loginURL` untouched, when `serviceURL` does not begin
// with "wss://", or lacks the label or "/hypervisor".
bool DeriveLoginURL(const std::string& serviceURL, std::string& loginURL);

// What a granting handler is told when the node library needs a grant to reach a service.
class Granting {
 public:
  explicit Granting(std::string serviceURL) : _ServiceURL(std::move(serviceURL)) {}
  // The address of the login service of the streaming service; empty when there is none.
  std::string OstraneURL() const;

 private:
  const std::string _ServiceURL;
};

// Fills the name of the service to be granted and a service ticket for it; the result is the
// grant's outcome.
using GrantingHandler =
    std::function<HRESULT(const Granting& granting, std::string& serviceURL, std::string& ticket)>;

}  // namespace Vorn
