// InPlaceSession: one time of editing in place, from the container's yes
// (CanInPlaceActivate) to InPlaceDeactivate. It owns the in-place frame, a
// child of the container's window that holds the editor's view and the
// hatched resize border (id 59395) and refuses whatever is dragged over it;
// while the object is UI active also the merged menu (menu 4 in the
// container's menu bar) and toolbar 4 on the container's frame.
//
// Commands from menu 4, toolbar 4 and accelerators 4 go to the editor's
// (hidden) main frame, as if chosen there; Esc (ID_CANCEL_INPLACE) and
// the View menu's Toolbar are the session's own.
#ifndef TARVEX_WIN32_EMBEDDING_IN_PLACE_SESSION_H_
#define TARVEX_WIN32_EMBEDDING_IN_PLACE_SESSION_H_

#include <wrl/client.h>

#include <functional>
#include <memory>

#include "platform/windows_api.h"
// (windows_api.h leaves OLE out)
#include <ole2.h>

namespace tarvex::win32::embedding {

class InPlaceSession {
 public:
  // The width of the hatched border around the object, in pixels.
  static constexpr int kBorder = 4;

  struct Windows {
    HWND frame;  // the editor's main frame: it gets the commands
    HWND view;   // the editor's view: it moves into the in-place frame
  };

  // Begins editing in place with `site`, whose container said yes: the
  // in-place frame in the site's window, at the object's place. Null (with
  // the reason in `*result`) when the container refuses or a window cannot
  // be made; the site has heard nothing then. `cancel` runs on Esc;
  // `active` is the object's IOleInPlaceActiveObject.
  static std::unique_ptr<InPlaceSession> Begin(IOleInPlaceSite* site,
                                               IOleInPlaceActiveObject* active, Windows windows,
                                               std::function<void()> cancel, HRESULT* result);
  ~InPlaceSession();
  InPlaceSession(const InPlaceSession&) = delete;
  InPlaceSession& operator=(const InPlaceSession&) = delete;

  // UI activation: menus merged into the container's, toolbar 4, the focus
  // in the view. Fails when the container gives no frame to merge with.
  HRESULT ShowUi();
  void HideUi();
  // Ends editing in place: UI off, the view back in the main frame, the
  // windows gone, and the site told.
  void End();

  HRESULT SetObjectRects(const RECT& position, const RECT& clip);
  void OnDocWindowActivate(bool active);
  void ResizeBorder();
  // Accelerators 4, then the container's; true when the keys were used.
  bool PreTranslateMessage(MSG* message);

  HWND window() const { return window_; }
  HWND toolbar() const { return toolbar_; }
  bool uiActive() const { return uiActive_; }
  // The drop target that refuses every drop (registered on window()).
  IDropTarget* dropGuard() const { return dropGuard_.Get(); }

 private:
  InPlaceSession() = default;

  void Place(const RECT& position, const RECT& clip);
  void NegotiateToolbarSpace();
  void OnCommand(int id);
  void OnResizeDragged(const RECT& proposed);
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ResizeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  Microsoft::WRL::ComPtr<IOleInPlaceSite> site_;
  Microsoft::WRL::ComPtr<IOleInPlaceFrame> containerFrame_;
  Microsoft::WRL::ComPtr<IOleInPlaceUIWindow> containerDocument_;
  Microsoft::WRL::ComPtr<IDropTarget> dropGuard_;
  IOleInPlaceActiveObject* active_ = nullptr;  // the object, which owns this session
  OLEINPLACEFRAMEINFO frameInfo_{};
  Windows editor_{};
  std::function<void()> cancel_;
  HWND parent_ = nullptr;  // the container's window
  HWND window_ = nullptr;  // the in-place frame
  HWND resizeBar_ = nullptr;
  HWND toolbar_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HMENU sharedMenu_ = nullptr;
  HOLEMENU menuDescriptor_ = nullptr;
  OLEMENUGROUPWIDTHS widths_{};
  RECT position_{};  // the object's place in the container's window
  RECT clip_{};
  bool uiActive_ = false;
  bool toolbarWanted_ = true;
  char dragging_ = 0;  // the resize handle being dragged: 'r', 'b', 'c' or none
  POINT dragFrom_{};
  bool ended_ = false;
};

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_WIN32_EMBEDDING_IN_PLACE_SESSION_H_
