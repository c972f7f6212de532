// EmbeddingServer: the process of an "Embedding" start (COM started it for
// a container). It registers the class object once (single use: each object
// a container creates gets a process of its own), creates the one object
// when the container asks, and ends the message loop when the object and
// every LockServer are gone, or when no container asked within
// kStartupTimeoutMs.
//
// The editor creates its frame hidden first (keyword.txt is read then:
// without it, no object), starts the server, and lets PreTranslateMessage
// see each message before its own handling.
#ifndef TARVEX_WIN32_EMBEDDING_EMBEDDING_SERVER_H_
#define TARVEX_WIN32_EMBEDDING_EMBEDDING_SERVER_H_

#include "platform/windows_api.h"
// (windows_api.h leaves OLE out)
#include <ole2.h>

#include "win32/embedding/ole_object.h"

namespace tarvex::win32::embedding {

class EmbeddingServer final : private Lifetime {
 public:
  static constexpr UINT kStartupTimeoutMs = 30000;

  explicit EmbeddingServer(ObjectFrame& frame);
  ~EmbeddingServer();
  EmbeddingServer(const EmbeddingServer&) = delete;
  EmbeddingServer& operator=(const EmbeddingServer&) = delete;

  // Offers the class object to the container that started the process.
  // False when COM refused; the process should end then.
  bool Start();
  // The object's keys while it is edited in place; true when used.
  bool PreTranslateMessage(MSG* message);

 private:
  class Factory;

  void Lock() override;
  void Unlock() override;
  void ObjectGone(OleObject* object) override;
  HRESULT CreateObject(REFIID riid, void** object);
  static void CALLBACK StartupExpired(HWND, UINT, UINT_PTR, DWORD);

  ObjectFrame& frame_;
  Factory* factory_;
  DWORD cookie_ = 0;
  UINT_PTR startupTimer_ = 0;
  OleObject* object_ = nullptr;  // not owned: the container holds it
  bool created_ = false;
};

// Where keyword.txt is looked for by an object's process: COM starts
// servers in the system folder, so when the current folder has no
// keyword.txt and the program's folder has one, the program's folder
// becomes the current one.
void UseProgramFolderDictionary();

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_WIN32_EMBEDDING_EMBEDDING_SERVER_H_
