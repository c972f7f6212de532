#include "win32/embedding/embedding_server.h"

#include <string>

#include "win32/embedding/object_ids.h"

namespace tarvex::win32::embedding {

// The class object. Its references do not keep the process: objects and
// LockServer do (CoAddRefServerProcess).
class EmbeddingServer::Factory final : public IClassFactory {
 public:
  explicit Factory(EmbeddingServer& server) : server_(server) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return server_.CreateObject(riid, object);
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      server_.Lock();
    } else {
      server_.Unlock();
    }
    return S_OK;
  }

 private:
  EmbeddingServer& server_;
};

namespace {
EmbeddingServer* g_starting = nullptr;  // for the start-up timer's callback
}  // namespace

EmbeddingServer::EmbeddingServer(ObjectFrame& frame)
    : frame_(frame), factory_(new Factory(*this)) {}

EmbeddingServer::~EmbeddingServer() {
  if (startupTimer_) KillTimer(nullptr, startupTimer_);
  if (g_starting == this) g_starting = nullptr;
  if (cookie_) CoRevokeClassObject(cookie_);
  delete factory_;
}

bool EmbeddingServer::Start() {
  // At once: the container's COM asks for the class object from the moment
  // the process runs, and gives up after a while.
  const HRESULT hr =
      CoRegisterClassObject(kClassId, factory_, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &cookie_);
  if (FAILED(hr)) {
    cookie_ = 0;
    return false;
  }
  g_starting = this;
  startupTimer_ = SetTimer(nullptr, 0, kStartupTimeoutMs, StartupExpired);
  return true;
}

void CALLBACK EmbeddingServer::StartupExpired(HWND, UINT, UINT_PTR, DWORD) {
  EmbeddingServer* server = g_starting;
  if (!server) return;
  KillTimer(nullptr, server->startupTimer_);
  server->startupTimer_ = 0;
  // A container that started the process but never asked for its object.
  if (!server->created_) PostQuitMessage(0);
}

HRESULT EmbeddingServer::CreateObject(REFIID riid, void** object) {
  if (created_) return CO_E_SERVER_STOPPING;  // one object per process
  created_ = true;
  if (startupTimer_) KillTimer(nullptr, startupTimer_);
  startupTimer_ = 0;
  auto* created = new OleObject(frame_, *this);
  object_ = created;
  const HRESULT hr = created->QueryInterface(riid, object);
  created->Release();  // the container's reference (if any) keeps it
  return hr;
}

bool EmbeddingServer::PreTranslateMessage(MSG* message) {
  return object_ && object_->PreTranslateMessage(message);
}

void EmbeddingServer::Lock() {
  CoAddRefServerProcess();
}

void EmbeddingServer::Unlock() {
  // At zero COM also stops offering the class object, so that no container
  // reaches a process on its way out.
  if (CoReleaseServerProcess() == 0) PostQuitMessage(0);
}

void EmbeddingServer::ObjectGone(OleObject* object) {
  if (object_ == object) object_ = nullptr;
}

void UseProgramFolderDictionary() {
  if (GetFileAttributesW(L"keyword.txt") != INVALID_FILE_ATTRIBUTES) return;
  std::wstring folder(MAX_PATH, L'\0');
  const DWORD length =
      GetModuleFileNameW(nullptr, folder.data(), static_cast<DWORD>(folder.size()));
  if (length == 0 || length >= folder.size()) return;
  folder.resize(length);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  if (GetFileAttributesW((folder + L"keyword.txt").c_str()) == INVALID_FILE_ATTRIBUTES) return;
  SetCurrentDirectoryW(folder.c_str());
}

}  // namespace tarvex::win32::embedding
