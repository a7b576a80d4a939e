#include <string>

#include "VOZ/Commands.h"
#include "Vorn/Context.h"
#include "viewer/KRO3DStreamingViewer.h"

const KRO3DStreamingViewer::AuthParams KRO3DStreamingViewer::kNoAuthentification{
    kEmptyString, kEmptyString, kEmptyString};

HRESULT KRO3DStreamingViewer::SetConnectionParameters(const KROUnicodeString& serviceURL,
                                                      const NodeParams& node,
                                                      const AuthParams& credentials) {
  Clean();
  if (credentials.login.IsEmpty()) {
    _Context = std::make_unique<Vorn::Context>(serviceURL.ToStdString(), false);
  } else {
    _Context = std::make_unique<Vorn::Context>(
        serviceURL.ToStdString(), true,
        [this, credentials](const Vorn::Granting& granting, std::string& serviceName,
                            std::string& ticket) {
          return GrantService(credentials, granting, serviceName, ticket);
        });
  }
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
