#include <string>

#include "Vorn/CASSession.h"
#include "Vorn/Granting.h"
#include "Vorn/Trace.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {

constexpr const char* kGrantedService = "VIZURER";

// Traces say that a secret exists and how long it is, never what it is.
std::string DescribeSecret(const std::string& secret) {
  return secret.empty() ? "absent" : "present, " + std::to_string(secret.size()) + " characters";
}

}  // namespace

bool KRO3DStreamingViewer::ConvertToOstraneURL(const KROUnicodeString& serviceURL,
                                               KROUnicodeString& loginURL) {
  std::string derived;
  if (!Vorn::DeriveLoginURL(serviceURL.ToStdString(), derived)) return false;
  loginURL = derived;
  return true;
}

// Called by the node library whenever reaching the service needs a grant. The login session is
// made once, with the first credentials, and kept for the viewer's lifetime.
HRESULT KRO3DStreamingViewer::GrantService(const AuthParams& credentials,
                                           const Vorn::Granting& granting, std::string& serviceURL,
                                           std::string& ticket) {
  Vorn::Trace trace(kTracesTag, "CASContext", TraceContext());
  if (!_CASSession) {
    _CASSession = std::make_unique<Vorn::CASSession>(
        granting.OstraneURL(), credentials.login.ToStdString(), credentials.password.ToStdString());
  }
  std::string ticketGrantingTicket;
  if (_CASSession->HasTGC(ticketGrantingTicket)) {
    trace.Info("TGC", DescribeSecret(ticketGrantingTicket));
  }
  serviceURL = kGrantedService;
  trace.Info("ServiceURL", serviceURL);
  const HRESULT result = _CASSession->GetServiceTicket(serviceURL, ticket);
  trace.Info("ServiceTicket", DescribeSecret(ticket));
  trace.End(result);
  return result;
}
