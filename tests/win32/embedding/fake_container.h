// A container in the test's own process: a frame window with a document
// window, a client site (optionally an in-place site) and an in-place
// frame that merges menus. Every call it receives is written to `log`, so
// that a test reads what the object told its container, in order.
#ifndef TARVEX_TESTS_WIN32_EMBEDDING_FAKE_CONTAINER_H_
#define TARVEX_TESTS_WIN32_EMBEDDING_FAKE_CONTAINER_H_

#include <wrl/client.h>

#include <string>

#include "platform/windows_api.h"
// (windows_api.h leaves OLE out)
#include <ole2.h>

namespace tarvex::win32::embedding {

class FakeContainer final : public IOleClientSite, public IOleInPlaceSite, public IAdviseSink {
 public:
  // The object's place in the document window.
  static constexpr RECT kPlace = {40, 60, 440, 310};

  explicit FakeContainer(bool inPlace) : inPlace_(inPlace) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TarvexTestContainer";
    RegisterClassExW(&windowClass);
    frame = CreateWindowExW(0, L"TarvexTestContainer", L"Container", WS_OVERLAPPEDWINDOW, 0, 0, 600,
                            500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    document = CreateWindowExW(0, L"TarvexTestContainer", L"", WS_CHILD | WS_VISIBLE, 0, 0, 580,
                               440, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~FakeContainer() { DestroyWindow(frame); }

  // The object this site holds; SaveObject saves it into `storage`.
  IOleObject* object = nullptr;
  IStorage* storage = nullptr;
  HRESULT containerAnswer = E_NOINTERFACE;  // what GetContainer says
  std::string log;
  HWND frame = nullptr;
  HWND document = nullptr;
  HMENU sharedMenu = nullptr;

  // IUnknown: the test owns the container; references are not counted.
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (inPlace_ && (riid == IID_IOleInPlaceSite || riid == IID_IOleWindow)) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (riid == IID_IAdviseSink) {
      *out = static_cast<IAdviseSink*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  // IOleClientSite
  STDMETHODIMP SaveObject() override {
    log += "SaveObject;";
    Microsoft::WRL::ComPtr<IPersistStorage> persist;
    if (!object || !storage ||
        FAILED(object->QueryInterface(IID_IPersistStorage,
                                      reinterpret_cast<void**>(persist.GetAddressOf())))) {
      return E_FAIL;
    }
    HRESULT hr = OleSave(persist.Get(), storage, TRUE);
    if (SUCCEEDED(hr)) hr = persist->SaveCompleted(nullptr);
    if (SUCCEEDED(hr)) hr = storage->Commit(STGC_DEFAULT);
    return hr;
  }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    *container = nullptr;
    return containerAnswer;
  }
  STDMETHODIMP ShowObject() override {
    log += "ShowObject;";
    return S_OK;
  }
  STDMETHODIMP OnShowWindow(BOOL show) override {
    log += show ? "OnShowWindow(1);" : "OnShowWindow(0);";
    return S_OK;
  }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow: the in-place site's window is the document window
  STDMETHODIMP GetWindow(HWND* window) override {
    *window = document;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override {
    log += "OnInPlaceActivate;";
    return S_OK;
  }
  STDMETHODIMP OnUIActivate() override {
    log += "OnUIActivate;";
    return S_OK;
  }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** inPlaceFrame, IOleInPlaceUIWindow** doc,
                                LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    *inPlaceFrame = &frameSide_;
    *doc = nullptr;
    *position = kPlace;
    *clip = kPlace;
    info->fMDIApp = FALSE;
    info->hwndFrame = frame;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return S_OK; }
  STDMETHODIMP OnUIDeactivate(BOOL) override {
    log += "OnUIDeactivate;";
    return S_OK;
  }
  STDMETHODIMP OnInPlaceDeactivate() override {
    log += "OnInPlaceDeactivate;";
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT position) override {
    log += "OnPosRectChange(" + std::to_string(position->right - position->left) + "x" +
           std::to_string(position->bottom - position->top) + ");";
    return S_OK;
  }

  // IAdviseSink
  STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override { log += "OnDataChange;"; }
  STDMETHODIMP_(void) OnViewChange(DWORD, LONG) override {}
  STDMETHODIMP_(void) OnRename(IMoniker*) override {}
  STDMETHODIMP_(void) OnSave() override { log += "OnSave;"; }
  STDMETHODIMP_(void) OnClose() override { log += "OnClose;"; }

  // The names of the shared menu's menus, "|" between them.
  std::string MenuNames() const {
    std::string names;
    for (int i = 0; sharedMenu && i < GetMenuItemCount(sharedMenu); ++i) {
      char name[64] = {};
      GetMenuStringA(sharedMenu, static_cast<UINT>(i), name, sizeof name, MF_BYPOSITION);
      names += (i ? "|" : "") + std::string(name);
    }
    return names;
  }

  // The container's in-place frame: its window is the frame window.
  class FrameSide final : public IOleInPlaceFrame {
   public:
    explicit FrameSide(FakeContainer& container) : c_(container) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
      if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
          riid == IID_IOleInPlaceFrame) {
        *out = static_cast<IOleInPlaceFrame*>(this);
        return S_OK;
      }
      *out = nullptr;
      return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetWindow(HWND* window) override {
      *window = c_.frame;
      return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetBorder(LPRECT border) override {
      GetClientRect(c_.frame, border);
      return S_OK;
    }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override {
      c_.log +=
          widths ? "SetBorderSpace(" + std::to_string(widths->top) + ");" : "SetBorderSpace();";
      return S_OK;
    }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR name) override {
      c_.log += active ? "SetActiveObject(" + Narrow(name) + ");" : "SetActiveObject();";
      return S_OK;
    }
    STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override {
      AppendMenuW(shared, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(CreatePopupMenu()),
                  L"&File");
      AppendMenuW(shared, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(CreatePopupMenu()),
                  L"&Window");
      widths->width[0] = 1;
      widths->width[2] = 0;
      widths->width[4] = 1;
      return S_OK;
    }
    STDMETHODIMP SetMenu(HMENU shared, HOLEMENU, HWND) override {
      c_.sharedMenu = shared;
      c_.log += shared ? "SetMenu;" : "SetMenu();";
      return S_OK;
    }
    STDMETHODIMP RemoveMenus(HMENU shared) override {
      while (GetMenuItemCount(shared) > 0) DeleteMenu(shared, 0, MF_BYPOSITION);
      return S_OK;
    }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

   private:
    FakeContainer& c_;
  };

 private:
  static std::string Narrow(LPCOLESTR text) {
    std::string out;
    for (; text && *text; ++text) out += static_cast<char>(*text);
    return out;
  }

  bool inPlace_;
  FrameSide frameSide_{*this};
};

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_TESTS_WIN32_EMBEDDING_FAKE_CONTAINER_H_
