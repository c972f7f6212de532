#include "win32/embedding/ole_object.h"

#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include "shell/document_rules.h"
#include "win32/embedding/contents_stream.h"
#include "win32/embedding/in_place_session.h"
#include "win32/embedding/object_data.h"
#include "win32/embedding/object_ids.h"
#include "win32/win32_strings.h"

namespace tarvex::win32::embedding {
namespace {

using Microsoft::WRL::ComPtr;

constexpr UINT kDisconnectMessage = WM_APP + 1;
constexpr UINT kDataChangedMessage = WM_APP + 2;
constexpr UINT_PTR kWatchdogTimer = 1;
constexpr UINT_PTR kUninitializedTimer = 2;
const wchar_t kMessageClass[] = L"TarvexObjectMessages";

HRESULT ToResult(shell::ObjectError error) {
  switch (error) {
    case shell::ObjectError::kNone:
      return S_OK;
    case shell::ObjectError::kTooLarge:
      return kTooLarge;
    case shell::ObjectError::kInvalidArgument:
      return E_INVALIDARG;
    case shell::ObjectError::kNotSupported:
      return OLE_E_NOT_INPLACEACTIVE;
    case shell::ObjectError::kNotNow:
      break;
  }
  return E_UNEXPECTED;
}

// A container's name, in the ANSI code page the editor's texts are in.
std::string FromOle(LPCOLESTR text) {
  return text ? ToAnsi(text) : std::string();
}

LPOLESTR TaskString(const wchar_t* text) {
  const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
  if (copy) std::memcpy(copy, text, bytes);
  return copy;
}

// The answers of a call to a process that is gone.
bool ContainerGone(HRESULT hr) {
  return hr == RPC_E_DISCONNECTED || hr == RPC_E_SERVER_DIED || hr == RPC_E_SERVER_DIED_DNE ||
         hr == CO_E_OBJNOTCONNECTED || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
         hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED);
}

void RegisterMessageClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW window{};
  window.cbSize = sizeof window;
  window.lpfnWndProc = DefWindowProcW;
  window.hInstance = GetModuleHandleW(nullptr);
  window.lpszClassName = kMessageClass;
  RegisterClassExW(&window);
  registered = true;
}

}  // namespace

OleObject::OleObject(ObjectFrame& frame, Lifetime& lifetime) : frame_(frame), lifetime_(lifetime) {
  lifetime_.Lock();
  CreateOleAdviseHolder(oleAdvise_.GetAddressOf());
  CreateDataAdviseHolder(dataAdvise_.GetAddressOf());
  RegisterMessageClass();
  messages_ = CreateWindowExW(0, kMessageClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(messages_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(messages_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MessageProc));
  frame_.SetChangeListener([this] { OnTextChanged(); });
  SetTimer(messages_, kUninitializedTimer, kUninitializedMs, nullptr);
}

OleObject::~OleObject() {
  frame_.SetChangeListener(nullptr);
  inPlace_.reset();
  DestroyWindow(messages_);
  lifetime_.ObjectGone(this);
  lifetime_.Unlock();
}

// IUnknown

STDMETHODIMP OleObject::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IOleObject) {
    *object = static_cast<IOleObject*>(this);
  } else if (riid == IID_IDataObject) {
    *object = static_cast<IDataObject*>(this);
  } else if (riid == IID_IPersist || riid == IID_IPersistStorage) {
    *object = static_cast<IPersistStorage*>(this);
  } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) {
    *object = static_cast<IOleInPlaceObject*>(this);
  } else if (riid == IID_IOleInPlaceActiveObject) {
    *object = static_cast<IOleInPlaceActiveObject*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) OleObject::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) OleObject::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// IOleObject

STDMETHODIMP OleObject::SetClientSite(IOleClientSite* site) {
  site_ = site;
  if (site) {
    SetTimer(messages_, kWatchdogTimer, kWatchdogMs, nullptr);
  } else {
    KillTimer(messages_, kWatchdogTimer);
  }
  return S_OK;
}

STDMETHODIMP OleObject::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = site_.Get();
  if (*site) (*site)->AddRef();
  return S_OK;
}

STDMETHODIMP OleObject::SetHostNames(LPCOLESTR container, LPCOLESTR object) {
  logic_.SetHostNames(FromOle(container), FromOle(object));
  return S_OK;
}

STDMETHODIMP OleObject::Close(DWORD saveOption) {
  if (closing_) return S_OK;
  closing_ = true;
  // Asked to save when changed: the container stores the text
  // (IPersistStorage::Save through OleSave, then SaveCompleted).
  if (saveOption != OLECLOSE_NOSAVE && logic_.IsDirty() && site_) site_->SaveObject();
  logic_.Close();
  if (oleAdvise_) oleAdvise_->SendOnClose();
  // Let go of everything once this call has returned to the container.
  AddRef();
  PostMessageW(messages_, kDisconnectMessage, 0, 0);
  return S_OK;
}

void OleObject::Disconnect() {
  KillTimer(messages_, kWatchdogTimer);
  inPlace_.reset();
  storage_.Reset();
  site_.Reset();
  oleAdvise_.Reset();
  dataAdvise_.Reset();
  // The stubs let go of this object, whatever proxies the container keeps.
  CoDisconnectObject(static_cast<IOleObject*>(this), 0);
  Release();  // Close's own reference
}

STDMETHODIMP OleObject::InitFromData(IDataObject* data, BOOL, DWORD) {
  if (!data) return E_INVALIDARG;
  for (FORMATETC format : OfferedFormats(DATADIR_SET)) {
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) continue;
    std::string bytes;
    const HRESULT hr = ReadData(format, medium, shell::kTextLimit, &bytes);
    ReleaseStgMedium(&medium);
    return SUCCEEDED(hr) ? TakeBytes(bytes) : hr;
  }
  return DV_E_FORMATETC;
}

HRESULT OleObject::TakeBytes(const std::string& bytes) {
  const HRESULT hr = ToResult(logic_.Load(bytes));
  if (FAILED(hr)) return hr;
  frame_.SetModified(true);  // the container's stored text is now older
  if (dataAdvise_) dataAdvise_->SendOnDataChange(static_cast<IDataObject*>(this), 0, 0);
  return S_OK;
}

STDMETHODIMP OleObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
  if (closing_) return OLE_E_NOTRUNNING;
  IOleClientSite* useSite = site ? site : site_.Get();
  switch (verb) {
    case OLEIVERB_PRIMARY:  // "&Edit": in place where the container allows it
    case OLEIVERB_SHOW: {
      if (logic_.state() == shell::ObjectState::kOpen) return OpenOwnWindow();
      const HRESULT hr = ActivateInPlace(useSite, true);
      return SUCCEEDED(hr) ? hr : OpenOwnWindow();
    }
    case shell::kVerbOpen:  // "&Open"
    case OLEIVERB_OPEN:
      return OpenOwnWindow();
    case OLEIVERB_HIDE:
      return Hide();
    case OLEIVERB_UIACTIVATE:
      return ActivateInPlace(useSite, true);
    case OLEIVERB_INPLACEACTIVATE:
      return ActivateInPlace(useSite, false);
    case OLEIVERB_DISCARDUNDOSTATE:
      return S_OK;
    default:
      break;
  }
  if (verb < 0) return E_NOTIMPL;
  // An unknown positive verb does the primary one and says so.
  const HRESULT hr = DoVerb(OLEIVERB_PRIMARY, nullptr, site, 0, nullptr, nullptr);
  return SUCCEEDED(hr) ? OLEOBJ_S_INVALIDVERB : hr;
}

HRESULT OleObject::ActivateInPlace(IOleClientSite* site, bool showUi) {
  if (logic_.state() == shell::ObjectState::kOpen) return OLE_E_NOT_INPLACEACTIVE;
  if (!inPlace_) {
    if (!site) return E_INVALIDARG;
    const shell::ObjectError refused =
        logic_.DoVerb(shell::kVerbEdit, reinterpret_cast<std::uintptr_t>(site));
    if (refused != shell::ObjectError::kNone) return ToResult(refused);
  }
  if (!showUi) return S_OK;
  const HRESULT hr = inPlace_->ShowUi();
  if (FAILED(hr)) InPlaceDeactivate();
  return hr;
}

HRESULT OleObject::OpenOwnWindow() {
  return ToResult(logic_.DoVerb(shell::kVerbOpen, 0));
}

HRESULT OleObject::Hide() {
  logic_.Deactivate();
  return S_OK;
}

STDMETHODIMP OleObject::EnumVerbs(IEnumOLEVERB** verbs) {
  return OleRegEnumVerbs(kClassId, verbs);
}

STDMETHODIMP OleObject::GetUserClassID(CLSID* id) {
  if (!id) return E_POINTER;
  *id = kClassId;
  return S_OK;
}

STDMETHODIMP OleObject::GetUserType(DWORD form, LPOLESTR* type) {
  if (!type) return E_POINTER;
  *type = TaskString(form == USERCLASSTYPE_FULL ? L"Tarvex Document" : L"Tarvex");
  return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP OleObject::SetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  // The object keeps its natural size; the container scales its picture.
  int width = 0;
  int height = 0;
  return logic_.GetExtent(aspect, &width, &height) == shell::ObjectError::kNone ? S_OK : E_FAIL;
}

STDMETHODIMP OleObject::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  int width = 0;
  int height = 0;
  if (logic_.GetExtent(aspect, &width, &height) != shell::ObjectError::kNone) return E_FAIL;
  size->cx = width;
  size->cy = height;
  return S_OK;
}

STDMETHODIMP OleObject::Advise(IAdviseSink* sink, DWORD* connection) {
  return oleAdvise_ ? oleAdvise_->Advise(sink, connection) : E_OUTOFMEMORY;
}

STDMETHODIMP OleObject::Unadvise(DWORD connection) {
  return oleAdvise_ ? oleAdvise_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP OleObject::EnumAdvise(IEnumSTATDATA** advise) {
  return oleAdvise_ ? oleAdvise_->EnumAdvise(advise) : E_OUTOFMEMORY;
}

STDMETHODIMP OleObject::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = shell::kObjectMiscStatus;
  return S_OK;
}

// IDataObject

STDMETHODIMP OleObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_POINTER;
  return RenderData(*format, logic_.Contents(), medium);
}

STDMETHODIMP OleObject::QueryGetData(FORMATETC* format) {
  if (!format) return E_POINTER;
  return CheckFormat(*format, DATADIR_GET);
}

STDMETHODIMP OleObject::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
  if (!in || !out) return E_POINTER;
  *out = *in;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP OleObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) {
  if (!format || !medium) return E_POINTER;
  std::string bytes;
  HRESULT hr = ReadData(*format, *medium, shell::kTextLimit, &bytes);
  if (release) ReleaseStgMedium(medium);
  if (FAILED(hr)) return hr;
  return TakeBytes(bytes);
}

STDMETHODIMP OleObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (!formats) return E_POINTER;
  std::vector<FORMATETC> offered = OfferedFormats(direction);
  return SHCreateStdEnumFmtEtc(static_cast<UINT>(offered.size()), offered.data(), formats);
}

STDMETHODIMP OleObject::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                DWORD* connection) {
  if (!dataAdvise_) return E_OUTOFMEMORY;
  return dataAdvise_->Advise(static_cast<IDataObject*>(this), format, flags, sink, connection);
}

STDMETHODIMP OleObject::DUnadvise(DWORD connection) {
  return dataAdvise_ ? dataAdvise_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP OleObject::EnumDAdvise(IEnumSTATDATA** advise) {
  return dataAdvise_ ? dataAdvise_->EnumAdvise(advise) : E_OUTOFMEMORY;
}

// IPersistStorage

STDMETHODIMP OleObject::GetClassID(CLSID* id) {
  return GetUserClassID(id);
}

STDMETHODIMP OleObject::IsDirty() {
  return logic_.IsDirty() ? S_OK : S_FALSE;
}

STDMETHODIMP OleObject::InitNew(IStorage* storage) {
  if (!storage) return E_INVALIDARG;
  if (storage_) return CO_E_ALREADYINITIALIZED;
  const HRESULT hr = ToResult(logic_.InitNew());
  if (FAILED(hr)) return hr;
  storage_ = storage;  // kept until HandsOffStorage
  initialized_ = true;
  KillTimer(messages_, kUninitializedTimer);
  return S_OK;
}

STDMETHODIMP OleObject::Load(IStorage* storage) {
  if (!storage) return E_INVALIDARG;
  if (storage_) return CO_E_ALREADYINITIALIZED;
  std::string bytes;
  HRESULT hr = ReadContents(storage, shell::kTextLimit, &bytes);
  if (SUCCEEDED(hr)) hr = ToResult(logic_.Load(bytes));
  if (FAILED(hr)) {
    // Nothing changed. A container whose Load failed lets go of the object
    // (or leaks it): unless it tries again soon, the object ends.
    if (!initialized_) SetTimer(messages_, kUninitializedTimer, kRefusedLoadMs, nullptr);
    return hr;
  }
  storage_ = storage;
  initialized_ = true;
  KillTimer(messages_, kUninitializedTimer);
  return S_OK;
}

STDMETHODIMP OleObject::Save(IStorage* storage, BOOL sameAsLoad) {
  if (!storage) return E_INVALIDARG;
  const HRESULT hr = WriteContents(storage, logic_.Contents(), NativeFormat());
  if (FAILED(hr)) return hr;
  sameAsLoad_ = sameAsLoad != FALSE;  // the container commits
  return S_OK;
}

STDMETHODIMP OleObject::SaveCompleted(IStorage* storage) {
  if (storage) storage_ = storage;
  // Saved into the object's own storage: what the container holds is the text.
  if (storage || sameAsLoad_) logic_.MarkSaved();
  sameAsLoad_ = false;
  if (oleAdvise_) oleAdvise_->SendOnSave();
  return S_OK;
}

STDMETHODIMP OleObject::HandsOffStorage() {
  storage_.Reset();
  return S_OK;
}

// IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject

STDMETHODIMP OleObject::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = inPlace_ ? inPlace_->window() : nullptr;
  return *window ? S_OK : E_FAIL;
}

STDMETHODIMP OleObject::InPlaceDeactivate() {
  if (logic_.state() == shell::ObjectState::kInPlace) logic_.Deactivate();
  return S_OK;
}

STDMETHODIMP OleObject::UIDeactivate() {
  if (inPlace_) inPlace_->HideUi();
  return S_OK;
}

STDMETHODIMP OleObject::SetObjectRects(LPCRECT position, LPCRECT clip) {
  if (!position) return E_POINTER;
  if (!inPlace_) return OLE_E_NOT_INPLACEACTIVE;
  return inPlace_->SetObjectRects(*position, clip ? *clip : *position);
}

STDMETHODIMP OleObject::OnDocWindowActivate(BOOL activate) {
  if (inPlace_) inPlace_->OnDocWindowActivate(activate != FALSE);
  return S_OK;
}

STDMETHODIMP OleObject::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
  if (inPlace_) inPlace_->ResizeBorder();
  return S_OK;
}

bool OleObject::PreTranslateMessage(MSG* message) {
  return inPlace_ && inPlace_->PreTranslateMessage(message);
}

// shell::ObjectHost: the editor's frame shows the object.

void OleObject::NewText() {
  frame_.NewText();
}

void OleObject::LoadText(std::string_view bytes) {
  frame_.LoadText(bytes);
}

std::string OleObject::Text() const {
  return frame_.Text();
}

bool OleObject::IsModified() const {
  return frame_.IsModified();
}

void OleObject::MarkSaved() {
  frame_.SetModified(false);
}

shell::ObjectError OleObject::BeginInPlace(std::uint64_t target) {
  auto* site = reinterpret_cast<IOleClientSite*>(static_cast<std::uintptr_t>(target));
  ComPtr<IOleInPlaceSite> inPlaceSite;
  if (FAILED(site->QueryInterface(IID_IOleInPlaceSite,
                                  reinterpret_cast<void**>(inPlaceSite.GetAddressOf())))) {
    return shell::ObjectError::kNotSupported;  // a container that only opens objects
  }
  site->ShowObject();  // the container scrolls the object into sight
  HRESULT hr = S_OK;
  inPlace_ = InPlaceSession::Begin(
      inPlaceSite.Get(), static_cast<IOleInPlaceActiveObject*>(this),
      {frame_.FrameWindow(), frame_.ViewWindow()}, [this] { InPlaceDeactivate(); }, &hr);
  return inPlace_ ? shell::ObjectError::kNone : shell::ObjectError::kNotSupported;
}

void OleObject::EndInPlace() {
  // Detached first: the session's last calls to the container may come back here.
  std::unique_ptr<InPlaceSession> session = std::move(inPlace_);
  if (session) session->End();
}

void OleObject::ShowOwnWindow() {
  if (!serverModeEntered_) {
    frame_.EnterServerMode([this] { OnUpdateCommand(); }, [this] { OnOwnWindowClosed(); });
    serverModeEntered_ = true;
  }
  HWND window = frame_.FrameWindow();
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetFocus(frame_.ViewWindow());
  if (!ownWindowShown_ && site_) {
    // The container shows where the object is, hatched while it is open.
    site_->ShowObject();
    site_->OnShowWindow(TRUE);
  }
  ownWindowShown_ = true;
}

void OleObject::HideOwnWindow() {
  ShowWindow(frame_.FrameWindow(), SW_HIDE);
  if (ownWindowShown_ && site_) site_->OnShowWindow(FALSE);
  ownWindowShown_ = false;
}

void OleObject::ShowHostNames(const std::string& title, const std::string& objectName) {
  frame_.SetHostNames(title, objectName);
}

void OleObject::OnUpdateCommand() {
  // Update: the container stores the text now (OleSave, SaveCompleted).
  if (site_) site_->SaveObject();
}

void OleObject::OnOwnWindowClosed() {
  bool saveFirst = false;
  if (!logic_.OwnWindowClosed(&saveFirst)) return;
  AddRef();  // the container may let go of the object on the way
  if (saveFirst && site_) site_->SaveObject();
  HideOwnWindow();
  // "Exit & Return": the object is done; the container takes it back.
  Close(OLECLOSE_NOSAVE);
  Release();
}

void OleObject::OnTextChanged() {
  if (changePending_) return;
  changePending_ = true;  // one notice for a burst of keys
  PostMessageW(messages_, kDataChangedMessage, 0, 0);
}

void OleObject::OnUninitialized() {
  KillTimer(messages_, kUninitializedTimer);
  if (!initialized_ && !closing_) Close(OLECLOSE_NOSAVE);
}

void OleObject::Watchdog() {
  // COM does not end a server whose container died: ask the site now and
  // then, and close when it is gone.
  if (!site_ || closing_ || probing_) return;
  probing_ = true;
  ComPtr<IOleContainer> container;
  const HRESULT hr = site_->GetContainer(container.GetAddressOf());
  probing_ = false;
  if (!ContainerGone(hr)) return;
  site_.Reset();  // a dead proxy: nothing more is asked of it
  Close(OLECLOSE_NOSAVE);
}

LRESULT CALLBACK OleObject::MessageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* object = reinterpret_cast<OleObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!object) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case kDisconnectMessage:
      object->Disconnect();
      return 0;
    case kDataChangedMessage:
      object->changePending_ = false;
      if (object->dataAdvise_) {
        object->dataAdvise_->SendOnDataChange(static_cast<IDataObject*>(object), 0, 0);
      }
      return 0;
    case WM_TIMER:
      if (wparam == kWatchdogTimer) object->Watchdog();
      if (wparam == kUninitializedTimer) object->OnUninitialized();
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace tarvex::win32::embedding
