// tarvex.exe as containers use it: a compound file with objects, the
// server started by COM (one process per object), the object's bytes in
// "Contents", its verbs and windows, saves through the client site, and the
// process gone after Close and after its container died. One activation a
// test: Wine activates one object at a time reliably, and each costs about
// a second and a half there.
//
//   ole_container_test.exe [gtest flags]   the tests
//   ole_container_test.exe orphan FILE     (for a test) holds an object open,
//                                          writes the server's process id to
//                                          FILE, and waits to be killed
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "platform/resource_ids.h"
#include "win32/embedding/fake_container.h"

namespace tarvex::win32::embedding {
namespace {

using Microsoft::WRL::ComPtr;

// {4A1E6C2B-7D3F-4C55-9A61-2F0B8E5D1C47}, as the registry names the server.
constexpr CLSID kTarvexClass = {
    0x4A1E6C2B, 0x7D3F, 0x4C55, {0x9A, 0x61, 0x2F, 0x0B, 0x8E, 0x5D, 0x1C, 0x47}};
constexpr DWORD kStorageMode =
    STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_TRANSACTED;

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

// Where the compound files go: TARVEX_OLE_FILES, or the folder the
// environment variable of that name gives.
std::wstring FilesPath(const std::string& name) {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"TARVEX_OLE_FILES", folder, MAX_PATH);
  const std::wstring base =
      length > 0 && length < MAX_PATH ? std::wstring(folder) : Wide(TARVEX_OLE_FILES);
  return base + L"/" + Wide(name);
}

// Runs the thread's messages (the server's calls into the container come
// as messages) until `done` or `ms` passed; whether `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 15000) {
  const DWORD end = GetTickCount() + ms;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (ms != INFINITE && static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// The server's main frame (hidden until the object is opened).
HWND ServerFrame() {
  return FindWindowW(L"TarvexMainFrame", nullptr);
}

HANDLE ServerProcess() {
  DWORD pid = 0;
  GetWindowThreadProcessId(ServerFrame(), &pid);
  return pid ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid) : nullptr;
}

// Whether `process` ended within `ms`; the calls coming in meanwhile are
// answered (a blocked container would stall a server on its way out).
bool Ended(HANDLE process, DWORD ms = 15000) {
  DWORD index = 0;
  const bool ended = CoWaitForMultipleHandles(0, ms, 1, &process, &index) == S_OK;
  CloseHandle(process);
  return ended;
}

std::string AllBytes() {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  return all + "\r\nlast line\r\nno final line end";
}

void PutContents(IStorage* storage, const std::string& bytes) {
  ASSERT_EQ(WriteClassStg(storage, kTarvexClass), S_OK);
  ComPtr<IStream> stream;
  ASSERT_EQ(storage->CreateStream(L"Contents", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0,
                                  0, stream.GetAddressOf()),
            S_OK);
  ULONG written = 0;
  ASSERT_EQ(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written), S_OK);
  ASSERT_EQ(storage->Commit(STGC_DEFAULT), S_OK);
}

std::string GetContents(IStorage* storage) {
  ComPtr<IStream> stream;
  if (FAILED(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                 stream.GetAddressOf()))) {
    return "(no Contents)";
  }
  std::string bytes;
  char piece[4096];
  ULONG got = 0;
  while (SUCCEEDED(stream->Read(piece, sizeof piece, &got)) && got > 0) bytes.append(piece, got);
  return bytes;
}

// A compound file with one object's storage, and a container site for it.
class OleContainerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The server registered as start-up registers it (whatever a test of
    // the registration left behind), unless a test of an installed Tarvex
    // runs this one.
    if (GetEnvironmentVariableW(L"TARVEX_OLE_NO_REGISTER", nullptr, 0) > 0) return;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + Wide(TARVEX_EDITOR_EXE) + L"\" /Register";
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }

  void SetUp() override {
    ASSERT_EQ(
        StgCreateDocfile(FilesPath(FileName()).c_str(), kStorageMode, 0, root_.GetAddressOf()),
        S_OK);
    ASSERT_EQ(root_->CreateStorage(L"Object1", kStorageMode, 0, 0, storage_.GetAddressOf()), S_OK);
    container_.storage = storage_.Get();
  }

  void TearDown() override {
    if (object_) object_->Release();
    object_ = nullptr;
    storage_.Reset();
    if (root_) root_->Commit(STGC_DEFAULT);
    root_.Reset();
  }

  virtual std::string FileName() const {
    return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".stg";
  }

  // The object of the prepared "Contents", through the standard handler,
  // with its site, advise sink and names, and running.
  void LoadAndRun(const std::string& bytes) {
    PutContents(storage_.Get(), bytes);
    ASSERT_EQ(
        OleLoad(storage_.Get(), IID_IOleObject, &container_, reinterpret_cast<void**>(&object_)),
        S_OK);
    container_.object = object_;
    Watch();
    fprintf(stderr, "run\n");
    ASSERT_EQ(OleRun(object_), S_OK);
    fprintf(stderr, "ran\n");
    ASSERT_TRUE(PumpUntil([] { return ServerFrame() != nullptr; }));
  }

  void Watch() {
    DWORD connection = 0;
    ASSERT_EQ(object_->Advise(&container_, &connection), S_OK);
    ASSERT_EQ(object_->SetHostNames(L"OLE test container", L"Object1"), S_OK);
    OleSetContainedObject(object_, TRUE);
  }

  HRESULT Verb(LONG verb) {
    return object_->DoVerb(verb, nullptr, &container_, 0, container_.document,
                           &FakeContainer::kPlace);
  }

  // Saves the object into its storage as a container does, and commits.
  void SaveObject() {
    ComPtr<IPersistStorage> persist;
    ASSERT_EQ(object_->QueryInterface(IID_IPersistStorage,
                                      reinterpret_cast<void**>(persist.GetAddressOf())),
              S_OK);
    ASSERT_EQ(OleSave(persist.Get(), storage_.Get(), TRUE), S_OK);
    ASSERT_EQ(persist->SaveCompleted(nullptr), S_OK);
    ASSERT_EQ(storage_->Commit(STGC_DEFAULT), S_OK);
  }

  // Closes the object and lets go of it; whether its server then ended.
  bool CloseAndRelease(DWORD option) {
    HANDLE server = ServerProcess();
    EXPECT_EQ(object_->Close(option), S_OK);
    object_->Release();
    object_ = nullptr;
    return server && Ended(server);
  }

  FakeContainer container_{false};
  ComPtr<IStorage> root_;
  ComPtr<IStorage> storage_;
  IOleObject* object_ = nullptr;
};

TEST_F(OleContainerTest, StoredBytesComeBackExactly) {
  ASSERT_NO_FATAL_FAILURE(LoadAndRun(AllBytes()));
  fprintf(stderr, "step 1\n");

  SIZEL extent{};
  fprintf(stderr, "step 2\n");
  ASSERT_EQ(object_->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
  fprintf(stderr, "step 3\n");
  EXPECT_EQ(extent.cx, 3000);
  fprintf(stderr, "step 4\n");
  EXPECT_EQ(extent.cy, 3000);
  fprintf(stderr, "step 5\n");
  ComPtr<IEnumOLEVERB> verbs;
  fprintf(stderr, "step 6\n");
  ASSERT_EQ(object_->EnumVerbs(verbs.GetAddressOf()), S_OK);
  fprintf(stderr, "step 7\n");
  std::string names;
  fprintf(stderr, "step 8\n");
  OLEVERB verb{};
  fprintf(stderr, "step 9\n");
  while (verbs->Next(1, &verb, nullptr) == S_OK) {
    for (LPOLESTR c = verb.lpszVerbName; *c; ++c) names += static_cast<char>(*c);
    names += "/" + std::to_string(verb.lVerb) + " ";
    CoTaskMemFree(verb.lpszVerbName);
  }
  EXPECT_EQ(names, "&Edit/0 &Open/1 ");
  fprintf(stderr, "step 10\n");
  DWORD status = 0;
  fprintf(stderr, "step 11\n");
  ASSERT_EQ(object_->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
  fprintf(stderr, "step 12\n");
  EXPECT_EQ(status, 32u);
  fprintf(stderr, "step 13\n");

  // The primary verb opens the editor's window: this site edits nothing in place.
  ASSERT_EQ(Verb(OLEIVERB_PRIMARY), S_OK);
  fprintf(stderr, "step 14\n");
  ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(ServerFrame()) != FALSE; }));
  fprintf(stderr, "step 15\n");
  wchar_t title[128] = {};
  fprintf(stderr, "step 16\n");
  GetWindowTextW(ServerFrame(), title, 128);
  fprintf(stderr, "step 17\n");
  EXPECT_EQ(std::wstring(title), L"Tarvex in Object1 - Tarvex");
  fprintf(stderr, "step 18\n");
  EXPECT_TRUE(
      PumpUntil([&] { return container_.log.find("OnShowWindow(1);") != std::string::npos; }));
  ASSERT_EQ(Verb(OLEIVERB_HIDE), S_OK);
  fprintf(stderr, "step 19\n");
  EXPECT_TRUE(
      PumpUntil([&] { return container_.log.find("OnShowWindow(0);") != std::string::npos; }));

  ASSERT_NO_FATAL_FAILURE(SaveObject());
  fprintf(stderr, "step 20\n");
  EXPECT_EQ(GetContents(storage_.Get()), AllBytes());
  fprintf(stderr, "step 21\n");
  container_.log.clear();
  fprintf(stderr, "step 22\n");
  EXPECT_TRUE(CloseAndRelease(OLECLOSE_SAVEIFDIRTY));
  fprintf(stderr, "step 23\n");
  EXPECT_EQ(container_.log.find("SaveObject"), std::string::npos);  // not changed: no save
}

TEST_F(OleContainerTest, NewObjectFromTheTypeIdStartsEmpty) {
  CLSID found{};
  ASSERT_EQ(CLSIDFromProgID(L"Tarvex.Document", &found), S_OK);
  EXPECT_TRUE(IsEqualCLSID(found, kTarvexClass));
  FORMATETC picture{CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
  ASSERT_EQ(OleCreate(found, IID_IOleObject, OLERENDER_DRAW, &picture, &container_, storage_.Get(),
                      reinterpret_cast<void**>(&object_)),
            S_OK);
  container_.object = object_;
  Watch();
  ASSERT_EQ(OleRun(object_), S_OK);
  ASSERT_TRUE(PumpUntil([] { return ServerFrame() != nullptr; }));
  LPOLESTR type = nullptr;
  ASSERT_EQ(object_->GetUserType(USERCLASSTYPE_SHORT, &type), S_OK);
  EXPECT_EQ(std::wstring(type), L"Tarvex");
  CoTaskMemFree(type);
  ASSERT_NO_FATAL_FAILURE(SaveObject());
  EXPECT_EQ(GetContents(storage_.Get()), "");
  CLSID stored{};
  ASSERT_EQ(ReadClassStg(storage_.Get(), &stored), S_OK);
  EXPECT_TRUE(IsEqualCLSID(stored, kTarvexClass));
  EXPECT_TRUE(CloseAndRelease(OLECLOSE_NOSAVE));
}

TEST_F(OleContainerTest, TypingInTheOwnWindowIsSavedOnUpdateAndClose) {
  ASSERT_NO_FATAL_FAILURE(LoadAndRun("Name=1"));
  ASSERT_EQ(Verb(OLEIVERB_OPEN), S_OK);
  ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(ServerFrame()) != FALSE; }));
  HWND view = FindWindowExW(ServerFrame(), nullptr, L"Edit", nullptr);
  ASSERT_NE(view, nullptr);
  ComPtr<IPersistStorage> persist;
  ASSERT_EQ(object_->QueryInterface(IID_IPersistStorage,
                                    reinterpret_cast<void**>(persist.GetAddressOf())),
            S_OK);
  auto type = [&](const char* text) {
    SendMessageW(view, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);  // at the end
    for (const char* c = text; *c; ++c) PostMessageW(view, WM_CHAR, static_cast<WPARAM>(*c), 0);
    return PumpUntil([&] { return persist->IsDirty() == S_OK; });
  };

  ASSERT_TRUE(type("2"));
  // Update (Ctrl+S, "&Update Object1"): the container stores the text now.
  PostMessageW(ServerFrame(), WM_COMMAND, MAKEWPARAM(ID_FILE_UPDATE, 0), 0);
  ASSERT_TRUE(PumpUntil([&] { return container_.log.find("SaveObject;") != std::string::npos; }));
  EXPECT_EQ(GetContents(storage_.Get()), "Name=12");
  EXPECT_TRUE(PumpUntil([&] { return persist->IsDirty() == S_FALSE; }));

  ASSERT_TRUE(type("3"));
  persist.Reset();
  container_.log.clear();
  EXPECT_TRUE(CloseAndRelease(OLECLOSE_SAVEIFDIRTY));
  EXPECT_NE(container_.log.find("SaveObject;"), std::string::npos);
  EXPECT_EQ(GetContents(storage_.Get()), "Name=123");
}

TEST_F(OleContainerTest, ContentsBeyondTheLimitAreRefused) {
  const std::string tooLarge(1048576, 'x');
  PutContents(storage_.Get(), tooLarge);
  ASSERT_EQ(
      OleLoad(storage_.Get(), IID_IOleObject, &container_, reinterpret_cast<void**>(&object_)),
      S_OK);
  const HRESULT hr = OleRun(object_);
  EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
  HANDLE server = ServerProcess();
  object_->Release();
  object_ = nullptr;
  if (server) {
    EXPECT_TRUE(Ended(server));
  }
  EXPECT_EQ(GetContents(storage_.Get()), tooLarge);  // the container's bytes as they were
}

TEST_F(OleContainerTest, ServerEndsWhenItsContainerIsKilled) {
  const std::wstring pidFile = FilesPath("orphan.pid");
  DeleteFileW(pidFile.c_str());
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" orphan \"" + pidFile + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &child));
  CloseHandle(child.hThread);
  DWORD pid = 0;
  const bool started = PumpUntil(
      [&] {
        std::ifstream in(pidFile.c_str());
        return static_cast<bool>(in >> pid);
      },
      30000);
  HANDLE server = started ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr;
  DWORD childStatus = 0;
  GetExitCodeProcess(child.hProcess, &childStatus);
  TerminateProcess(child.hProcess, 9);
  CloseHandle(child.hProcess);
  std::ifstream progress((pidFile + L".log").c_str());
  std::string steps;
  std::getline(progress, steps);
  ASSERT_TRUE(started) << "the container's status: " << childStatus << ", its steps: " << steps;
  ASSERT_NE(server, nullptr);
  // The watchdog asks every 3 s; COM alone would leave it running.
  EXPECT_TRUE(Ended(server, 15000));
}

// A container with an in-place site: the object's windows in the
// container's, its menus and toolbar offered, Esc ends it. (Wine draws
// none of it and merges no menus across processes: the calls and the
// windows' places are what can be seen here.)
class InPlaceContainerTest : public OleContainerTest {};

TEST_F(InPlaceContainerTest, EditingInPlaceHappensInTheContainersWindows) {
  FakeContainer inPlace(true);
  inPlace.storage = storage_.Get();
  PutContents(storage_.Get(), "Name=1");
  ASSERT_EQ(OleLoad(storage_.Get(), IID_IOleObject, &inPlace, reinterpret_cast<void**>(&object_)),
            S_OK);
  inPlace.object = object_;
  ASSERT_EQ(OleRun(object_), S_OK);
  ShowWindow(inPlace.frame, SW_SHOWNOACTIVATE);
  ASSERT_EQ(object_->DoVerb(OLEIVERB_PRIMARY, nullptr, &inPlace, 0, inPlace.document,
                            &FakeContainer::kPlace),
            S_OK);
  ASSERT_TRUE(PumpUntil([&] { return inPlace.log.find("SetBorderSpace(") != std::string::npos; }))
      << inPlace.log;
  EXPECT_NE(inPlace.log.find("OnInPlaceActivate;OnUIActivate;SetActiveObject(Tarvex);"),
            std::string::npos)
      << inPlace.log;

  DWORD serverPid = 0;
  GetWindowThreadProcessId(ServerFrame(), &serverPid);
  HWND inPlaceWindow = GetWindow(inPlace.document, GW_CHILD);
  ASSERT_NE(inPlaceWindow, nullptr);
  DWORD owner = 0;
  GetWindowThreadProcessId(inPlaceWindow, &owner);
  EXPECT_EQ(owner, serverPid);  // the server's window, a child of the container's
  HWND view = FindWindowExW(inPlaceWindow, nullptr, L"Edit", nullptr);
  EXPECT_NE(view, nullptr);
  EXPECT_NE(GetDlgItem(inPlaceWindow, ID_WINDOW_RESIZE_BAR), nullptr);
  HWND toolbar = GetDlgItem(inPlace.frame, ID_VIEW_TOOLBAR);
  ASSERT_NE(toolbar, nullptr);
  GetWindowThreadProcessId(toolbar, &owner);
  EXPECT_EQ(owner, serverPid);
  RECT place{};
  GetWindowRect(view, &place);
  MapWindowPoints(nullptr, inPlace.document, reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, FakeContainer::kPlace.left);
  EXPECT_EQ(place.top, FakeContainer::kPlace.top);

  // Esc in the object: editing in place ends, the container gets its UI back.
  inPlace.log.clear();
  PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 1);
  ASSERT_TRUE(PumpUntil([&] {
    return inPlace.log.find("OnInPlaceDeactivate;") != std::string::npos;
  })) << inPlace.log;
  EXPECT_NE(inPlace.log.find("OnUIDeactivate;"), std::string::npos);
  EXPECT_EQ(GetWindow(inPlace.document, GW_CHILD), nullptr);
  EXPECT_EQ(GetDlgItem(inPlace.frame, ID_VIEW_TOOLBAR), nullptr);

  HANDLE server = ServerProcess();
  EXPECT_EQ(object_->Close(OLECLOSE_NOSAVE), S_OK);
  object_->Release();
  object_ = nullptr;
  EXPECT_TRUE(server && Ended(server));
}

// The child of ServerEndsWhenItsContainerIsKilled.
int HoldOrphan(const wchar_t* pidFile) {
  ComPtr<IStorage> root;
  ComPtr<IStorage> storage;
  if (FAILED(
          StgCreateDocfile(nullptr, kStorageMode | STGM_DELETEONRELEASE, 0, root.GetAddressOf())) ||
      FAILED(root->CreateStorage(L"Object1", kStorageMode, 0, 0, storage.GetAddressOf()))) {
    return 2;
  }
  PutContents(storage.Get(), "Name=orphan");
  static FakeContainer container(false);
  IOleObject* object = nullptr;
  // How far it came, for the test's message should it not come back.
  std::ofstream progress((std::wstring(pidFile) + L".log").c_str());
  if (FAILED(
          OleLoad(storage.Get(), IID_IOleObject, &container, reinterpret_cast<void**>(&object)))) {
    return 3;
  }
  progress << "loaded;" << std::flush;
  const HRESULT ran = OleRun(object);
  progress << "ran " << std::hex << ran << ";" << std::flush;
  if (FAILED(ran) || !PumpUntil([] { return ServerFrame() != nullptr; })) return 4;
  progress << "server;" << std::flush;
  object->DoVerb(OLEIVERB_OPEN, nullptr, &container, 0, container.document, nullptr);
  progress << "opened;" << std::flush;
  DWORD pid = 0;
  GetWindowThreadProcessId(ServerFrame(), &pid);
  {
    std::ofstream out(pidFile);
    out << pid << "\n";
  }
  PumpUntil([] { return false; }, INFINITE);  // until killed
  return 0;
}

}  // namespace
}  // namespace tarvex::win32::embedding

int wmain(int argc, wchar_t** argv) {
  OleInitialize(nullptr);
  int result = 0;
  if (argc == 3 && std::wstring(argv[1]) == L"orphan") {
    result = tarvex::win32::embedding::HoldOrphan(argv[2]);
  } else {
    testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  OleUninitialize();
  return result;
}
