// OleObject: the document as the object a container holds, over COM. It
// speaks IOleObject, IDataObject and IPersistStorage to the container, and
// IOleInPlaceObject and IOleInPlaceActiveObject while it is edited in place
// (in_place_session.h does that part). The rules are the shared
// shell::EmbeddedObject's; the editor's frame shows the text.
//
// One object lives in one process ("Embedding" start, single-use class
// object). It holds the process (Lifetime) from creation to its last
// release. Close, the user's Exit, and a container found dead by the
// watchdog all end with the object disconnected from its proxies, so that
// the process ends even when a container keeps (or leaks) its pointers.
#ifndef TARVEX_WIN32_EMBEDDING_OLE_OBJECT_H_
#define TARVEX_WIN32_EMBEDDING_OLE_OBJECT_H_

#include <wrl/client.h>

#include <memory>
#include <string>

#include "platform/windows_api.h"
// (windows_api.h leaves OLE out)
#include <ole2.h>

#include "shell/embedded_object.h"
#include "win32/embedding/object_frame.h"

namespace tarvex::win32::embedding {

class InPlaceSession;
class OleObject;

// What keeps the server's process: one lock per object (and per LockServer).
class Lifetime {
 public:
  virtual ~Lifetime() = default;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  // The object is being destroyed (before its Unlock).
  virtual void ObjectGone(OleObject*) {}
};

class OleObject final : public IOleObject,
                        public IDataObject,
                        public IPersistStorage,
                        public IOleInPlaceObject,
                        public IOleInPlaceActiveObject,
                        private shell::ObjectHost {
 public:
  // How often the watchdog asks whether the container still lives.
  static constexpr UINT kWatchdogMs = 3000;
  // How long an object waits for its text (InitNew or Load) before it gives
  // up on its container: from its creation, and after a refused Load.
  static constexpr UINT kUninitializedMs = 30000;
  static constexpr UINT kRefusedLoadMs = 2000;

  OleObject(ObjectFrame& frame, Lifetime& lifetime);
  OleObject(const OleObject&) = delete;
  OleObject& operator=(const OleObject&) = delete;

  // Keys for the object while it is edited in place: accelerators 4, then
  // the container's. True when they were used.
  bool PreTranslateMessage(MSG* message);

  shell::ObjectState state() const { return logic_.state(); }
  InPlaceSession* inPlaceSession() const { return inPlace_.get(); }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR container, LPCOLESTR object) override;
  STDMETHODIMP Close(DWORD saveOption) override;
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent,
                      LPCRECT position) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* id) override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP Unadvise(DWORD connection) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IDataObject
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return DATA_E_FORMATETC; }
  STDMETHODIMP QueryGetData(FORMATETC* format) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                       DWORD* connection) override;
  STDMETHODIMP DUnadvise(DWORD connection) override;
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** advise) override;

  // IPersist, IPersistStorage
  STDMETHODIMP GetClassID(CLSID* id) override;
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP InitNew(IStorage* storage) override;
  STDMETHODIMP Load(IStorage* storage) override;
  STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
  STDMETHODIMP SaveCompleted(IStorage* storage) override;
  STDMETHODIMP HandsOffStorage() override;

  // IOleWindow (both in-place interfaces)
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceObject
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override { return INPLACE_E_NOTUNDOABLE; }

  // IOleInPlaceActiveObject
  STDMETHODIMP TranslateAccelerator(LPMSG) override {
    return S_FALSE;
  }  // a local server's
     // keys arrive in its
     // own loop
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

 private:
  ~OleObject();

  // shell::ObjectHost
  void NewText() override;
  void LoadText(std::string_view bytes) override;
  std::string Text() const override;
  bool IsModified() const override;
  void MarkSaved() override;
  shell::ObjectError BeginInPlace(std::uint64_t window) override;
  void EndInPlace() override;
  void ShowOwnWindow() override;
  void HideOwnWindow() override;
  void ShowHostNames(const std::string& title, const std::string& objectName) override;

  HRESULT ActivateInPlace(IOleClientSite* site, bool showUi);
  HRESULT OpenOwnWindow();
  HRESULT Hide();
  // New bytes from the container (InitFromData, SetData): the object then
  // differs from what the container stored.
  HRESULT TakeBytes(const std::string& bytes);
  // The user's Exit or closing the own window: the changes to the
  // container, then the object closes.
  void OnOwnWindowClosed();
  void OnUpdateCommand();
  void OnTextChanged();
  void Watchdog();
  // No text came (the container gave up, or its Load was refused): the
  // object ends, so that the process does not outlive its use.
  void OnUninitialized();
  // After Close: let go of the container and of every proxy of this object.
  void Disconnect();

  static LRESULT CALLBACK MessageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  LONG references_ = 1;
  ObjectFrame& frame_;
  Lifetime& lifetime_;
  shell::EmbeddedObject logic_{*this};
  HWND messages_ = nullptr;  // timers and deferred work
  Microsoft::WRL::ComPtr<IOleClientSite> site_;
  Microsoft::WRL::ComPtr<IOleAdviseHolder> oleAdvise_;
  Microsoft::WRL::ComPtr<IDataAdviseHolder> dataAdvise_;
  Microsoft::WRL::ComPtr<IStorage> storage_;
  std::unique_ptr<InPlaceSession> inPlace_;
  IOleClientSite* activatingSite_ = nullptr;  // during DoVerb
  bool showUi_ = false;                       // during DoVerb
  bool serverModeEntered_ = false;
  bool ownWindowShown_ = false;
  bool sameAsLoad_ = false;
  bool closing_ = false;
  bool probing_ = false;
  bool changePending_ = false;
  bool initialized_ = false;  // InitNew or Load succeeded
};

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_WIN32_EMBEDDING_OLE_OBJECT_H_
