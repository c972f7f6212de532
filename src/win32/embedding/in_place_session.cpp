#include "win32/embedding/in_place_session.h"

#include <commctrl.h>

#include "platform/resource_ids.h"
#include "shell/frame_tables.h"
#include "win32/embedding/in_place_resources.h"
#include "win32/frame_menus.h"

namespace tarvex::win32::embedding {
namespace {

const wchar_t kFrameClass[] = L"TarvexInPlaceFrame";
const wchar_t kResizeClass[] = L"TarvexResizeBar";
const wchar_t kAppName[] = L"Tarvex";
// The resize handles: squares at the middle of the right and bottom edges
// and at the bottom right corner.
constexpr int kHandle = 7;

// Refuses everything dragged over the object: the container's own drop
// handling never sees it, and the cursor says that nothing can be dropped.
class DropGuard final : public IDropTarget {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }

 private:
  LONG refs_ = 1;
};

void RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = DefWindowProcW;  // replaced per window (SetWindowLongPtr)
  frame.hInstance = GetModuleHandleW(nullptr);
  frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  frame.lpszClassName = kFrameClass;
  RegisterClassExW(&frame);
  WNDCLASSEXW resize = frame;
  resize.hbrBackground = nullptr;
  resize.lpszClassName = kResizeClass;
  RegisterClassExW(&resize);
  registered = true;
}

InPlaceSession* SessionOf(HWND window) {
  return reinterpret_cast<InPlaceSession*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Which handle of the resize border `point` (client coordinates of the
// bar) is on: 'r' right, 'b' bottom, 'c' corner, 0 none.
char HandleAt(HWND bar, POINT point) {
  RECT client;
  GetClientRect(bar, &client);
  const int right = client.right - InPlaceSession::kBorder;
  const int bottom = client.bottom - InPlaceSession::kBorder;
  const bool nearRight = point.x >= right - 1;
  const bool nearBottom = point.y >= bottom - 1;
  if (nearRight && nearBottom) return 'c';
  if (nearRight && point.y > client.bottom / 2 - kHandle && point.y < client.bottom / 2 + kHandle) {
    return 'r';
  }
  if (nearBottom && point.x > client.right / 2 - kHandle && point.x < client.right / 2 + kHandle) {
    return 'b';
  }
  return 0;
}

void PaintResizeBar(HWND bar) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(bar, &paint);
  RECT client;
  GetClientRect(bar, &client);
  HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, GetSysColor(COLOR_WINDOWFRAME));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  FillRect(dc, &client, hatch);
  DeleteObject(hatch);
  HBRUSH handle = GetSysColorBrush(COLOR_WINDOWFRAME);
  const int midX = client.right / 2 - kHandle / 2;
  const int midY = client.bottom / 2 - kHandle / 2;
  const RECT handles[] = {
      {client.right - kHandle, midY, client.right, midY + kHandle},
      {midX, client.bottom - kHandle, midX + kHandle, client.bottom},
      {client.right - kHandle, client.bottom - kHandle, client.right, client.bottom},
  };
  for (const RECT& r : handles) FillRect(dc, &r, handle);
  EndPaint(bar, &paint);
}

}  // namespace

std::unique_ptr<InPlaceSession> InPlaceSession::Begin(IOleInPlaceSite* site,
                                                      IOleInPlaceActiveObject* active,
                                                      Windows windows, std::function<void()> cancel,
                                                      HRESULT* result) {
  *result = site->CanInPlaceActivate();
  if (*result != S_OK) {
    *result = OLE_E_NOT_INPLACEACTIVE;
    return nullptr;
  }
  std::unique_ptr<InPlaceSession> session(new InPlaceSession);
  session->site_ = site;
  session->active_ = active;
  session->editor_ = windows;
  session->cancel_ = std::move(cancel);
  *result = site->OnInPlaceActivate();
  if (FAILED(*result)) return nullptr;
  session->ended_ = false;

  RECT position{};
  RECT clip{};
  session->frameInfo_.cb = sizeof session->frameInfo_;
  *result = site->GetWindow(&session->parent_);
  if (SUCCEEDED(*result)) {
    *result = site->GetWindowContext(session->containerFrame_.GetAddressOf(),
                                     session->containerDocument_.GetAddressOf(), &position, &clip,
                                     &session->frameInfo_);
  }
  if (SUCCEEDED(*result)) {
    RegisterClasses();
    session->window_ =
        CreateWindowExW(0, kFrameClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0,
                        0, session->parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  if (session->window_) {
    SetWindowLongPtrW(session->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(session.get()));
    SetWindowLongPtrW(session->window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc));
    session->resizeBar_ = CreateWindowExW(
        0, kResizeClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, session->window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_WINDOW_RESIZE_BAR)),
        GetModuleHandleW(nullptr), nullptr);
  }
  if (!session->resizeBar_) {
    if (SUCCEEDED(*result)) *result = E_OUTOFMEMORY;
    if (session->window_) DestroyWindow(session->window_);
    session->window_ = nullptr;
    site->OnInPlaceDeactivate();
    session->ended_ = true;
    return nullptr;
  }
  SetWindowLongPtrW(session->resizeBar_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(session.get()));
  SetWindowLongPtrW(session->resizeBar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ResizeProc));

  // The view moves in, above the border.
  SetParent(windows.view, session->window_);
  session->Place(position, clip);
  ShowWindow(windows.view, SW_SHOW);
  ShowWindow(session->window_, SW_SHOW);

  session->dropGuard_.Attach(new DropGuard);
  RegisterDragDrop(session->window_, session->dropGuard_.Get());
  session->accelerators_ = BuildAccelerators(shell::InPlaceAccelerators(), false);
  *result = S_OK;
  return session;
}

InPlaceSession::~InPlaceSession() {
  End();
}

void InPlaceSession::Place(const RECT& position, const RECT& clip) {
  position_ = position;
  clip_ = clip;
  const int width = position.right - position.left;
  const int height = position.bottom - position.top;
  SetWindowPos(window_, nullptr, position.left - kBorder, position.top - kBorder,
               width + 2 * kBorder, height + 2 * kBorder, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(resizeBar_, HWND_BOTTOM, 0, 0, width + 2 * kBorder, height + 2 * kBorder,
               SWP_NOACTIVATE);
  SetWindowPos(editor_.view, HWND_TOP, kBorder, kBorder, width, height, SWP_NOACTIVATE);
  InvalidateRect(resizeBar_, nullptr, TRUE);
}

HRESULT InPlaceSession::SetObjectRects(const RECT& position, const RECT& clip) {
  if (ended_) return E_UNEXPECTED;
  Place(position, clip);
  return S_OK;
}

HRESULT InPlaceSession::ShowUi() {
  if (ended_) return E_UNEXPECTED;
  if (uiActive_) return S_OK;
  if (!containerFrame_) return E_NOINTERFACE;
  HRESULT hr = site_->OnUIActivate();
  if (FAILED(hr)) return hr;
  uiActive_ = true;
  containerFrame_->SetActiveObject(active_, kAppName);
  if (containerDocument_) containerDocument_->SetActiveObject(active_, kAppName);

  // Menu 4 among the container's menus. Where the container cannot take
  // them (Wine keeps menus per process), editing goes on without them.
  sharedMenu_ = CreateMenu();
  widths_ = OLEMENUGROUPWIDTHS{};
  containerFrame_->InsertMenus(sharedMenu_, &widths_);
  InsertInPlaceMenus(sharedMenu_, &widths_);
  menuDescriptor_ = OleCreateMenuDescriptor(sharedMenu_, &widths_);
  containerFrame_->SetMenu(sharedMenu_, menuDescriptor_, window_);

  HWND frameWindow = nullptr;
  containerFrame_->GetWindow(&frameWindow);
  toolbar_ = CreateInPlaceToolbar(frameWindow, window_);
  if (!toolbar_) {
    HideUi();
    return E_OUTOFMEMORY;
  }
  NegotiateToolbarSpace();
  SetFocus(editor_.view);
  return S_OK;
}

void InPlaceSession::NegotiateToolbarSpace() {
  if (!toolbar_) return;
  RECT border{};
  const DWORD size = static_cast<DWORD>(SendMessageW(toolbar_, TB_GETBUTTONSIZE, 0, 0));
  const int height = HIWORD(size) + 4;
  BORDERWIDTHS wanted{0, height, 0, 0};
  if (toolbarWanted_ && SUCCEEDED(containerFrame_->GetBorder(&border)) &&
      containerFrame_->RequestBorderSpace(&wanted) == S_OK &&
      SUCCEEDED(containerFrame_->SetBorderSpace(&wanted))) {
    SetWindowPos(toolbar_, HWND_TOP, border.left, border.top, border.right - border.left, height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    return;
  }
  ShowWindow(toolbar_, SW_HIDE);
  BORDERWIDTHS none{0, 0, 0, 0};
  containerFrame_->SetBorderSpace(&none);
}

void InPlaceSession::HideUi() {
  if (!uiActive_) return;
  uiActive_ = false;
  containerFrame_->SetMenu(nullptr, nullptr, nullptr);
  if (sharedMenu_) {
    RemoveInPlaceMenus(sharedMenu_, widths_);
    containerFrame_->RemoveMenus(sharedMenu_);
    DestroyMenu(sharedMenu_);
    sharedMenu_ = nullptr;
  }
  if (menuDescriptor_) OleDestroyMenuDescriptor(menuDescriptor_);
  menuDescriptor_ = nullptr;
  if (toolbar_) {
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar_, TB_GETIMAGELIST, 0, 0));
    DestroyWindow(toolbar_);
    // The system's images belong to the common controls; bitmap 4's are ours.
    if (images && FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_SRVR_INPLACE),
                                MAKEINTRESOURCEW(2) /* RT_BITMAP */)) {
      ImageList_Destroy(images);
    }
    toolbar_ = nullptr;
  }
  containerFrame_->SetBorderSpace(nullptr);
  containerFrame_->SetActiveObject(nullptr, nullptr);
  if (containerDocument_) containerDocument_->SetActiveObject(nullptr, nullptr);
  site_->OnUIDeactivate(FALSE);
}

void InPlaceSession::End() {
  if (ended_) return;
  ended_ = true;
  HideUi();
  RevokeDragDrop(window_);
  // The view goes home, and the main frame lays it out again.
  SetParent(editor_.view, editor_.frame);
  RECT client;
  GetClientRect(editor_.frame, &client);
  SendMessageW(editor_.frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  SetWindowLongPtrW(resizeBar_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
  window_ = nullptr;
  resizeBar_ = nullptr;
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  accelerators_ = nullptr;
  site_->OnInPlaceDeactivate();
  containerDocument_.Reset();
  containerFrame_.Reset();
  site_.Reset();
}

void InPlaceSession::OnDocWindowActivate(bool active) {
  if (!uiActive_) return;
  if (active) {
    containerFrame_->SetMenu(sharedMenu_, menuDescriptor_, window_);
    NegotiateToolbarSpace();
  } else if (toolbar_) {
    ShowWindow(toolbar_, SW_HIDE);
  }
}

void InPlaceSession::ResizeBorder() {
  if (uiActive_) NegotiateToolbarSpace();
}

bool InPlaceSession::PreTranslateMessage(MSG* message) {
  if (!uiActive_ || message->message < WM_KEYFIRST || message->message > WM_KEYLAST) return false;
  if (message->hwnd != window_ && !IsChild(window_, message->hwnd)) return false;
  if (TranslateAcceleratorW(window_, accelerators_, message)) return true;
  return OleTranslateAccelerator(containerFrame_.Get(), &frameInfo_, message) == S_OK;
}

void InPlaceSession::OnCommand(int id) {
  switch (id) {
    case ID_CANCEL_INPLACE: {
      // Esc ends editing in place, which destroys this session: nothing of
      // it is touched after.
      const std::function<void()> cancel = cancel_;
      cancel();
      return;
    }
    case ID_VIEW_TOOLBAR:
      toolbarWanted_ = !toolbarWanted_;
      NegotiateToolbarSpace();
      return;
    default:
      SendMessageW(editor_.frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }
}

void InPlaceSession::OnResizeDragged(const RECT& proposed) {
  // The container decides, and answers with SetObjectRects.
  site_->OnPosRectChange(&proposed);
}

LRESULT CALLBACK InPlaceSession::FrameProc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  InPlaceSession* session = SessionOf(window);
  if (!session) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_COMMAND:
      if (lparam != 0 && reinterpret_cast<HWND>(lparam) != session->toolbar_) {
        // A control's notice (the view's): the main frame follows the view.
        return SendMessageW(session->editor_.frame, message, wparam, lparam);
      }
      session->OnCommand(LOWORD(wparam));
      return 0;
    // The toolbar's tool tips, the menus' prompts and states, the view's
    // colours: the main frame answers them as for its own.
    case WM_NOTIFY:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return SendMessageW(session->editor_.frame, message, wparam, lparam);
    case WM_SETFOCUS:
      SetFocus(session->editor_.view);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT CALLBACK InPlaceSession::ResizeProc(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  InPlaceSession* session = SessionOf(window);
  if (!session) return DefWindowProcW(window, message, wparam, lparam);
  char& dragging = session->dragging_;
  POINT& from = session->dragFrom_;
  switch (message) {
    case WM_PAINT:
      PaintResizeBar(window);
      return 0;
    case WM_SETCURSOR: {
      POINT at;
      GetCursorPos(&at);
      ScreenToClient(window, &at);
      const char handle = dragging ? dragging : HandleAt(window, at);
      if (handle) {
        SetCursor(LoadCursorA(nullptr, handle == 'r'   ? IDC_SIZEWE
                                       : handle == 'b' ? IDC_SIZENS
                                                       : IDC_SIZENWSE));
        return TRUE;
      }
      break;
    }
    case WM_LBUTTONDOWN: {
      const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      dragging = HandleAt(window, at);
      if (dragging) {
        from = at;
        SetCapture(window);
      }
      return 0;
    }
    case WM_LBUTTONUP:
      if (dragging) {
        const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        RECT proposed = session->position_;
        if (dragging != 'b') proposed.right += at.x - from.x;
        if (dragging != 'r') proposed.bottom += at.y - from.y;
        dragging = 0;
        ReleaseCapture();
        if (proposed.right > proposed.left && proposed.bottom > proposed.top) {
          session->OnResizeDragged(proposed);
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      dragging = 0;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace tarvex::win32::embedding
