#include "Vorn/Granting.h"

#include <string_view>

namespace Vorn {

namespace {

constexpr std::string_view kStreamingHostLabel = "-krostream";
constexpr std::string_view kLoginHostLabel = "-iam";

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

bool DeriveLoginURL(const std::string& serviceURL, std::string& loginURL) {
  if (serviceURL.find("wss://") != 0 || serviceURL.find(kStreamingHostLabel) == std::string::npos ||
      serviceURL.find("/hypervisor") == std::string::npos) {
    return false;
  }
  std::string url = serviceURL;
  ReplaceAll(url, "wss://", "https://");
  ReplaceAll(url, kStreamingHostLabel, kLoginHostLabel);
  ReplaceAll(url, "/hypervisor", "");
  loginURL = std::move(url);
  return true;
}

std::string Granting::OstraneURL() const {
  std::string loginURL;
  DeriveLoginURL(_ServiceURL, loginURL);
  return loginURL;
}

}  // namespace Vorn
