#include <string>

#include "VOZ/Commands.h"
#include "Vorn/Context.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {

// The streaming service's hosts carry this label; the login service's host has "-iam" in its
// place (render-krostream.example → render-iam.example).
constexpr std::string_view kStreamingHostLabel = "-krostream";
constexpr std::string_view kLoginHostLabel = "-iam";

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

const KRO3DStreamingViewer::AuthParams KRO3DStreamingViewer::kNoAuthentification{
    kEmptyString, kEmptyString, kEmptyString};

bool KRO3DStreamingViewer::ConvertToOstraneURL(const KROUnicodeString& serviceURL,
                                               KROUnicodeString& loginURL) {
  std::string url = serviceURL.ToStdString();
  if (url.find("wss://") != 0 || url.find(kStreamingHostLabel) == std::string::npos ||
      url.find("/hypervisor") == std::string::npos) {
    return false;
  }
  ReplaceAll(url, "wss://", "https://");
  ReplaceAll(url, kStreamingHostLabel, kLoginHostLabel);
  ReplaceAll(url, "/hypervisor", "");
  loginURL = url;
  return true;
}

HRESULT KRO3DStreamingViewer::SetConnectionParameters(const KROUnicodeString& serviceURL,
                                                      const NodeParams& node,
                                                      const AuthParams& credentials) {
  Clean();
  const bool login = !credentials.login.IsEmpty();
  _Context = std::make_unique<Vorn::Context>(serviceURL.ToStdString(), login);
  _Commands = std::make_unique<VOZ::Commands>(*_Context, "");

  KROGraphicWindow* window = GetWindow();
  if (!window) return E_UNEXPECTED;
  _EndingDrawCallbackId = static_cast<int>(AddCallback(
      window, KROGraphicWindow::GRAPHICWINDOW_ENDING_DRAW(), &KRO3DStreamingViewer::_OnSwap, 0));

  if (const HRESULT connected = ConnectView(0, node); FAILED(connected)) {
    RemoveCallback(window, static_cast<KROCallbackId>(_EndingDrawCallbackId));
    _EndingDrawCallbackId = 0;
    _Commands.reset();
    _Context.reset();
    return connected;
  }

  _ResizeCallbackId = static_cast<int>(AddCallback(window, KROGraphicWindow::GRAPHICWINDOW_RESIZE(),
                                                   &KRO3DStreamingViewer::_OnResize, 0));
  _ViewModeChangedCallbackId = static_cast<int>(AddCallback(
      GetVizViewer(), VIEWER_VIEWMODE_CHANGED(), &KRO3DStreamingViewer::_OnSettingModified, 0));
  _MainViewpointCallbackId = static_cast<int>(AddCallback(
      this, VIEWER_MAINVIEWPOINT_CHANGED(), &KRO3DStreamingViewer::_OnMultiviewModified, 0));
  _SendSettings();
  return S_OK;
}
