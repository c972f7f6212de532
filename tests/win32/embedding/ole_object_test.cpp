// The object as a container in the same process sees it: its storage, its
// data, its verbs and windows, editing in place in the container's window
// with the menus merged, and how it tells the container about saves and
// its end. (Across processes: ole_container_test.cpp.)
#include "win32/embedding/ole_object.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>

#include "platform/resource_ids.h"
#include "shell/document_rules.h"
#include "win32/embedding/contents_stream.h"
#include "win32/embedding/fake_container.h"
#include "win32/embedding/fake_object_frame.h"
#include "win32/embedding/in_place_session.h"
#include "win32/embedding/object_data.h"
#include "win32/embedding/object_ids.h"

namespace tarvex::win32::embedding {
namespace {

using Microsoft::WRL::ComPtr;

class CountingLifetime : public Lifetime {
 public:
  void Lock() override { ++locks; }
  void Unlock() override { --locks; }
  int locks = 0;
};

// Runs the thread's messages (deferred work, timers) for `ms`.
void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

ComPtr<IStorage> NewStorage() {
  ComPtr<IStorage> storage;
  EXPECT_EQ(StgCreateDocfile(
                nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                0, storage.GetAddressOf()),
            S_OK);
  return storage;
}

void PutContents(IStorage* storage, const std::string& bytes) {
  ComPtr<IStream> stream;
  ASSERT_EQ(storage->CreateStream(L"Contents", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0,
                                  0, stream.GetAddressOf()),
            S_OK);
  ULONG written = 0;
  ASSERT_EQ(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written), S_OK);
}

std::string GetContents(IStorage* storage) {
  std::string bytes;
  EXPECT_EQ(ReadContents(storage, 1 << 30, &bytes), S_OK);
  return bytes;
}

std::string AllBytes() {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  return all + "\r\nlast line\r\nno final line end";
}

class OleObjectTest : public ::testing::Test {
 protected:
  ~OleObjectTest() override {
    if (object_) object_->Release();
    Pump(20);
  }

  HRESULT Verb(LONG verb, FakeContainer& container) {
    return object_->DoVerb(verb, nullptr, &container, 0, container.document,
                           &FakeContainer::kPlace);
  }

  FakeObjectFrame frame_;
  CountingLifetime lifetime_;
  // The containers outlive the object, which may call them until it goes.
  FakeContainer plain_{false};
  FakeContainer inPlace_{true};
  OleObject* object_ = new OleObject(frame_, lifetime_);
};

TEST_F(OleObjectTest, ContentsComeBackByteForByte) {
  const ComPtr<IStorage> stored = NewStorage();
  PutContents(stored.Get(), AllBytes());
  ASSERT_EQ(object_->Load(stored.Get()), S_OK);
  EXPECT_EQ(frame_.text, AllBytes());
  EXPECT_EQ(object_->IsDirty(), S_FALSE);
  EXPECT_EQ(object_->Load(stored.Get()), CO_E_ALREADYINITIALIZED);

  frame_.Type("x");
  EXPECT_EQ(object_->IsDirty(), S_OK);
  const ComPtr<IStorage> copy = NewStorage();
  ASSERT_EQ(object_->Save(copy.Get(), FALSE), S_OK);
  ASSERT_EQ(object_->SaveCompleted(nullptr), S_OK);
  EXPECT_EQ(GetContents(copy.Get()), AllBytes() + "x");
  EXPECT_EQ(object_->IsDirty(), S_OK);  // a copy elsewhere: the object still differs
  CLIPFORMAT format = 0;
  LPOLESTR userType = nullptr;
  ASSERT_EQ(ReadFmtUserTypeStg(copy.Get(), &format, &userType), S_OK);
  EXPECT_EQ(std::wstring(userType), L"Tarvex Document");
  EXPECT_EQ(format, NativeFormat());
  CoTaskMemFree(userType);

  ASSERT_EQ(object_->Save(stored.Get(), TRUE), S_OK);
  ASSERT_EQ(object_->SaveCompleted(nullptr), S_OK);
  EXPECT_EQ(object_->IsDirty(), S_FALSE);
  EXPECT_EQ(GetContents(stored.Get()), AllBytes() + "x");
}

TEST_F(OleObjectTest, ContentsBeyondTheLimitAreRefusedAndChangeNothing) {
  frame_.LoadText("kept");
  const ComPtr<IStorage> tooLarge = NewStorage();
  PutContents(tooLarge.Get(), std::string(shell::kTextLimit + 1, 'x'));
  EXPECT_EQ(object_->Load(tooLarge.Get()), HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE));
  EXPECT_EQ(frame_.text, "kept");

  const ComPtr<IStorage> atLimit = NewStorage();
  PutContents(atLimit.Get(), std::string(shell::kTextLimit, 'y'));
  ASSERT_EQ(object_->Load(atLimit.Get()), S_OK);  // the refused storage was not kept
  EXPECT_EQ(frame_.text.size(), shell::kTextLimit);
  EXPECT_EQ(object_->InitNew(atLimit.Get()), CO_E_ALREADYINITIALIZED);
}

TEST_F(OleObjectTest, DataInEveryOfferedFormat) {
  frame_.LoadText(std::string("ab\0cd", 5));
  auto get = [&](CLIPFORMAT cf, DWORD tymed, STGMEDIUM* medium) {
    FORMATETC format{cf, nullptr, DVASPECT_CONTENT, -1, tymed};
    return object_->GetData(&format, medium);
  };
  STGMEDIUM medium{};
  ASSERT_EQ(get(CF_TEXT, TYMED_HGLOBAL, &medium), S_OK);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(medium.hGlobal)), "ab");  // up to the NUL
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);

  ASSERT_EQ(get(NativeFormat(), TYMED_HGLOBAL, &medium), S_OK);
  const auto* native = static_cast<const char*>(GlobalLock(medium.hGlobal));
  EXPECT_EQ(std::string(native, 9), std::string("\x05\0\0\0ab\0cd", 9));
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);

  ASSERT_EQ(get(CF_METAFILEPICT, TYMED_MFPICT, &medium), S_OK);
  const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
  EXPECT_EQ(picture->mm, MM_ANISOTROPIC);
  EXPECT_EQ(picture->xExt, 3000);
  EXPECT_EQ(picture->yExt, 3000);
  GlobalUnlock(medium.hMetaFilePict);
  ReleaseStgMedium(&medium);

  ASSERT_EQ(get(CF_ENHMETAFILE, TYMED_ENHMF, &medium), S_OK);
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(medium.hEnhMetaFile, sizeof header, &header);
  EXPECT_EQ(header.rclFrame.right, 3000);
  EXPECT_EQ(header.rclFrame.bottom, 3000);
  ReleaseStgMedium(&medium);

  const struct {
    FORMATETC format;
    HRESULT result;
  } queries[] = {
      {{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, S_OK},
      {{CF_TEXT, nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL}, DV_E_DVASPECT},
      {{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM}, DV_E_TYMED},
      {{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI}, DV_E_FORMATETC},
  };
  for (auto query : queries) {
    EXPECT_EQ(object_->QueryGetData(&query.format), query.result) << query.format.cfFormat;
  }
  for (auto [direction, count] : {std::pair<DWORD, ULONG>{DATADIR_GET, 4}, {DATADIR_SET, 2}}) {
    ComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(object_->EnumFormatEtc(direction, formats.GetAddressOf()), S_OK);
    FORMATETC all[8];
    ULONG got = 0;
    formats->Next(8, all, &got);
    EXPECT_EQ(got, count);
  }
}

TEST_F(OleObjectTest, SetDataReplacesTheTextAndTellsTheContainer) {
  FakeContainer& container = plain_;
  FORMATETC native{NativeFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  DWORD connection = 0;
  ASSERT_EQ(object_->DAdvise(&native, 0, &container, &connection), S_OK);
  frame_.LoadText("old");

  auto set = [&](CLIPFORMAT cf, const std::string& block) {
    FORMATETC format{cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, block.size());
    std::memcpy(GlobalLock(medium.hGlobal), block.data(), block.size());
    GlobalUnlock(medium.hGlobal);
    return object_->SetData(&format, &medium, TRUE);
  };
  ASSERT_EQ(set(NativeFormat(), std::string("\x03\0\0\0new", 7)), S_OK);
  EXPECT_EQ(frame_.text, "new");
  EXPECT_TRUE(frame_.modified);
  EXPECT_EQ(container.log, "OnDataChange;");
  EXPECT_EQ(set(NativeFormat(), std::string("\x09\0\0\0new", 7)), E_INVALIDARG);  // short block
  EXPECT_EQ(set(CF_TEXT, std::string(shell::kTextLimit + 1, 'x') + '\0'),
            HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE));
  EXPECT_EQ(frame_.text, "new");
}

TEST_F(OleObjectTest, ExtentStatusAndNames) {
  SIZEL size{};
  ASSERT_EQ(object_->GetExtent(DVASPECT_CONTENT, &size), S_OK);
  EXPECT_EQ(size.cx, 3000);
  EXPECT_EQ(size.cy, 3000);
  EXPECT_EQ(object_->GetExtent(DVASPECT_ICON, &size), E_FAIL);
  SIZEL asked{4000, 2000};
  EXPECT_EQ(object_->SetExtent(DVASPECT_CONTENT, &asked), S_OK);
  ASSERT_EQ(object_->GetExtent(DVASPECT_CONTENT, &size), S_OK);
  EXPECT_EQ(size.cx, 3000);  // the natural size stays
  DWORD status = 0;
  ASSERT_EQ(object_->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
  EXPECT_EQ(status, 32u);
  CLSID id{};
  ASSERT_EQ(object_->GetUserClassID(&id), S_OK);
  EXPECT_TRUE(IsEqualCLSID(id, kClassId));
  for (auto [form, name] : {std::pair<DWORD, std::wstring>{USERCLASSTYPE_FULL, L"Tarvex Document"},
                            {USERCLASSTYPE_SHORT, L"Tarvex"},
                            {USERCLASSTYPE_APPNAME, L"Tarvex"}}) {
    LPOLESTR type = nullptr;
    ASSERT_EQ(object_->GetUserType(form, &type), S_OK);
    EXPECT_EQ(std::wstring(type), name);
    CoTaskMemFree(type);
  }
  ASSERT_EQ(object_->SetHostNames(L"Test Container", L"R&D Object"), S_OK);
  EXPECT_EQ(frame_.title, "Tarvex in R&D Object");
  EXPECT_EQ(frame_.objectName, "R&D Object");
}

TEST_F(OleObjectTest, WithoutAnInPlaceSiteTheVerbsOpenTheOwnWindow) {
  FakeContainer& container = plain_;
  ASSERT_EQ(object_->SetClientSite(&container), S_OK);
  ASSERT_EQ(Verb(OLEIVERB_PRIMARY, container), S_OK);
  EXPECT_TRUE(frame_.serverMode);
  EXPECT_TRUE(IsWindowVisible(frame_.FrameWindow()));
  EXPECT_EQ(object_->state(), shell::ObjectState::kOpen);
  EXPECT_EQ(container.log, "ShowObject;OnShowWindow(1);");

  container.log.clear();
  ASSERT_EQ(Verb(OLEIVERB_HIDE, container), S_OK);
  EXPECT_FALSE(IsWindowVisible(frame_.FrameWindow()));
  EXPECT_EQ(container.log, "OnShowWindow(0);");
  EXPECT_EQ(Verb(7, container), OLEOBJ_S_INVALIDVERB);  // does the primary verb
  EXPECT_TRUE(IsWindowVisible(frame_.FrameWindow()));
  EXPECT_EQ(Verb(1, container), S_OK);
  EXPECT_EQ(Verb(-9, container), E_NOTIMPL);
  EXPECT_EQ(object_->state(), shell::ObjectState::kOpen);
}

TEST_F(OleObjectTest, CloseSavesAChangedObjectThroughItsSite) {
  FakeContainer& container = plain_;
  const ComPtr<IStorage> storage = NewStorage();
  PutContents(storage.Get(), "a");
  ASSERT_EQ(object_->Load(storage.Get()), S_OK);
  container.object = object_;
  container.storage = storage.Get();
  object_->SetClientSite(&container);
  DWORD connection = 0;
  object_->Advise(&container, &connection);

  frame_.Type("b");
  ASSERT_EQ(object_->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
  EXPECT_EQ(container.log, "SaveObject;OnSave;OnClose;");
  EXPECT_EQ(GetContents(storage.Get()), "ab");
  EXPECT_EQ(object_->IsDirty(), S_FALSE);
  Pump(50);  // disconnected: only the test's own reference is left
  EXPECT_EQ(lifetime_.locks, 1);
  object_->Release();
  object_ = nullptr;
  EXPECT_EQ(lifetime_.locks, 0);  // the process may end
}

TEST_F(OleObjectTest, CloseWithoutSavingLeavesTheContainersCopy) {
  FakeContainer& container = plain_;
  object_->SetClientSite(&container);
  DWORD connection = 0;
  object_->Advise(&container, &connection);
  frame_.Type("unsaved");
  ASSERT_EQ(object_->Close(OLECLOSE_NOSAVE), S_OK);
  EXPECT_EQ(container.log, "OnClose;");
  Pump(50);  // the object lets go of the container before it goes
}

TEST_F(OleObjectTest, UpdateAndExitInTheOwnWindowHandTheChangesBack) {
  FakeContainer& container = plain_;
  const ComPtr<IStorage> storage = NewStorage();
  ASSERT_EQ(object_->InitNew(storage.Get()), S_OK);
  container.object = object_;
  container.storage = storage.Get();
  object_->SetClientSite(&container);
  DWORD connection = 0;
  object_->Advise(&container, &connection);
  ASSERT_EQ(Verb(OLEIVERB_OPEN, container), S_OK);

  frame_.Type("Name=1");
  container.log.clear();
  frame_.ChooseUpdate();
  EXPECT_EQ(container.log, "SaveObject;OnSave;");
  EXPECT_EQ(GetContents(storage.Get()), "Name=1");

  frame_.Type("2");
  container.log.clear();
  frame_.ChooseExit();
  EXPECT_EQ(container.log, "SaveObject;OnSave;OnShowWindow(0);OnClose;");
  EXPECT_EQ(GetContents(storage.Get()), "Name=12");
  EXPECT_FALSE(IsWindowVisible(frame_.FrameWindow()));
  Pump(50);
}

TEST_F(OleObjectTest, WatchdogClosesTheObjectOfADeadContainer) {
  FakeContainer& container = plain_;
  object_->SetClientSite(&container);
  DWORD connection = 0;
  object_->Advise(&container, &connection);
  frame_.Type("unsaved");
  container.containerAnswer = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
  Pump(OleObject::kWatchdogMs + 300);
  EXPECT_EQ(container.log, "OnClose;");  // and no SaveObject on a dead site
  Pump(50);
}

TEST_F(OleObjectTest, InPlaceInsideTheContainersWindowWithMenusAndToolbarFour) {
  FakeContainer& container = inPlace_;
  object_->SetClientSite(&container);
  ShowWindow(container.frame, SW_SHOWNOACTIVATE);
  ASSERT_EQ(Verb(OLEIVERB_PRIMARY, container), S_OK);
  EXPECT_EQ(object_->state(), shell::ObjectState::kInPlace);
  EXPECT_EQ(container.log,
            "ShowObject;OnInPlaceActivate;OnUIActivate;SetActiveObject(Tarvex);SetMenu;"
            "SetBorderSpace(" +
                std::to_string(HIWORD(SendMessageW(GetDlgItem(container.frame, ID_VIEW_TOOLBAR),
                                                   TB_GETBUTTONSIZE, 0, 0)) +
                               4) +
                ");");

  HWND inPlace = nullptr;
  ASSERT_EQ(object_->GetWindow(&inPlace), S_OK);
  EXPECT_EQ(GetParent(inPlace), container.document);
  EXPECT_EQ(GetParent(frame_.ViewWindow()), inPlace);
  EXPECT_NE(GetDlgItem(inPlace, ID_WINDOW_RESIZE_BAR), nullptr);
  RECT view;
  GetWindowRect(frame_.ViewWindow(), &view);
  MapWindowPoints(nullptr, container.document, reinterpret_cast<POINT*>(&view), 2);
  EXPECT_EQ(view.left, FakeContainer::kPlace.left);
  EXPECT_EQ(view.bottom, FakeContainer::kPlace.bottom);

  EXPECT_EQ(container.MenuNames(), "&File|&Edit|&View|&Window|&Help");
  HWND toolbar = GetDlgItem(container.frame, ID_VIEW_TOOLBAR);
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 5);  // Cut Copy Paste | About
  EXPECT_TRUE(IsWindowVisible(toolbar));

  DWORD effect = DROPEFFECT_COPY;
  object_->inPlaceSession()->dropGuard()->DragOver(0, POINTL{100, 100}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));

  // Menu 4's and toolbar 4's commands reach the editor's frame.
  SendMessageW(inPlace, WM_COMMAND, MAKEWPARAM(ID_EDIT_PASTE, 0), 0);
  SendMessageW(inPlace, WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0), reinterpret_cast<LPARAM>(toolbar));
  EXPECT_EQ(frame_.commands, std::vector<int>({ID_EDIT_PASTE, ID_APP_ABOUT}));

  // Dragging the border's corner asks the container for a larger place.
  HWND border = GetDlgItem(inPlace, ID_WINDOW_RESIZE_BAR);
  RECT bar;
  GetClientRect(border, &bar);
  container.log.clear();
  SendMessageW(border, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.right - 2, bar.bottom - 2));
  SendMessageW(border, WM_LBUTTONUP, 0, MAKELPARAM(bar.right + 38, bar.bottom + 28));
  EXPECT_EQ(container.log, "OnPosRectChange(440x280);");
  const RECT larger{40, 60, 480, 340};
  ASSERT_EQ(object_->SetObjectRects(&larger, &larger), S_OK);
  GetClientRect(frame_.ViewWindow(), &view);
  EXPECT_EQ(view.right, 440);

  // Esc ends editing in place and gives the container its menus back.
  container.log.clear();
  MSG escape{frame_.ViewWindow(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
  EXPECT_TRUE(object_->PreTranslateMessage(&escape));
  EXPECT_EQ(container.log,
            "SetMenu();SetBorderSpace();SetActiveObject();OnUIDeactivate;OnInPlaceDeactivate;");
  EXPECT_EQ(object_->state(), shell::ObjectState::kLoaded);
  EXPECT_EQ(GetParent(frame_.ViewWindow()), frame_.FrameWindow());
  EXPECT_FALSE(IsWindow(inPlace));
  EXPECT_EQ(GetDlgItem(container.frame, ID_VIEW_TOOLBAR), nullptr);
}

TEST_F(OleObjectTest, OpeningFromInPlaceEndsEditingInPlaceFirst) {
  FakeContainer& container = inPlace_;
  object_->SetClientSite(&container);
  ASSERT_EQ(Verb(OLEIVERB_INPLACEACTIVATE, container), S_OK);
  EXPECT_EQ(container.log, "ShowObject;OnInPlaceActivate;");  // no menus without UI
  container.log.clear();
  ASSERT_EQ(Verb(OLEIVERB_OPEN, container), S_OK);
  EXPECT_EQ(container.log, "OnInPlaceDeactivate;ShowObject;OnShowWindow(1);");
  EXPECT_EQ(GetParent(frame_.ViewWindow()), frame_.FrameWindow());
  EXPECT_EQ(object_->state(), shell::ObjectState::kOpen);
  EXPECT_EQ(Verb(OLEIVERB_UIACTIVATE, container), OLE_E_NOT_INPLACEACTIVE);
}

}  // namespace
}  // namespace tarvex::win32::embedding

int main(int argc, char** argv) {
  OleInitialize(nullptr);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
