// The Windows editor's pieces that need no window: the registry settings
// store, and the menus and keys built from the shared tables.
#include <gtest/gtest.h>

#include "win32/win32_api.h"

#include <oleacc.h>

#include "platform/resource_ids.h"
#include "shell/frame_tables.h"
#include "win32/accessibility.h"
#include "win32/frame_menus.h"
#include "win32/registry_settings_store.h"

namespace tarvex::win32 {
namespace {

TEST(RegistrySettingsStoreTest, KeepsTextsAndNumbersUnderTheApplicationsKey) {
  EXPECT_EQ(RegistrySettingsStore::ApplicationKey(),
            "Software\\Local AppWizard-Generated Applications\\Tarvex");
  RegistrySettingsStore store;
  store.WriteString("Test Section", "Text", "C:\\caf\xe9\\policy.inf");
  store.WriteInt("Test Section", "Number", 2);
  EXPECT_EQ(store.ReadString("Test Section", "Text"), "C:\\caf\xe9\\policy.inf");
  EXPECT_EQ(store.ReadInt("Test Section", "Number"), 2);
  // Another kind of value, or none, reads as nothing.
  EXPECT_EQ(store.ReadInt("Test Section", "Text"), std::nullopt);
  store.Remove("Test Section", "Text");
  EXPECT_EQ(store.ReadString("Test Section", "Text"), std::nullopt);
  EXPECT_EQ(store.ReadString("No Such Section", "Text"), std::nullopt);
  RegDeleteTreeA(HKEY_CURRENT_USER,
                 (RegistrySettingsStore::ApplicationKey() + "\\Test Section").c_str());
}

TEST(FrameMenusTest, MenuBarAndKeysFollowTheTablesWithTheFaultCommands) {
  HMENU bar = BuildMenuBar(shell::MainMenu(), true);
  ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(shell::MainMenu().size()));
  HMENU view = GetSubMenu(bar, 2);
  // Toolbar, Status Bar, a separator, then the three commands of checking while typing.
  ASSERT_EQ(GetMenuItemCount(view), 6);
  EXPECT_EQ(GetMenuItemID(view, 4), static_cast<UINT>(ID_NEXT_FAULT));
  char caption[64] = {};
  GetMenuStringA(view, 4, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_STREQ(caption, "&Next Fault\tF8");

  SetRecentFileEntries(bar, {"C:\\a.inf", "C:\\b&c.inf"});
  HMENU file = GetSubMenu(bar, 0);
  GetMenuStringA(file, ID_FILE_MRU_FILE1 + 1, caption, sizeof caption, MF_BYCOMMAND);
  EXPECT_STREQ(caption, "&2 C:\\b&&c.inf");
  SetRecentFileEntries(bar, {});
  GetMenuStringA(file, ID_FILE_MRU_FILE1, caption, sizeof caption, MF_BYCOMMAND);
  EXPECT_STREQ(caption, "Recent File");
  EXPECT_EQ(GetMenuState(file, ID_FILE_MRU_FILE1 + 1, MF_BYCOMMAND), static_cast<UINT>(-1));
  DestroyMenu(bar);

  HACCEL keys = BuildAccelerators(shell::MainAccelerators(), true);
  const int count = CopyAcceleratorTableW(keys, nullptr, 0);
  EXPECT_EQ(count, static_cast<int>(shell::MainAccelerators().size()) + 2);  // and F8, Shift+F8
  std::vector<ACCEL> table(static_cast<std::size_t>(count));
  CopyAcceleratorTableW(keys, table.data(), count);
  EXPECT_EQ(table[1].key, 'O');
  EXPECT_EQ(table[1].fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ(table[5].key, VK_BACK);  // Alt+Backspace
  EXPECT_EQ(table[5].fVirt, FVIRTKEY | FALT);
  EXPECT_EQ(table.back().key, VK_F8);
  EXPECT_EQ(table.back().fVirt, FVIRTKEY | FSHIFT);
  DestroyAcceleratorTable(keys);
}

TEST(AccessibilityTest, AControlReadsOutTheNameItWasGiven) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  HWND box = CreateWindowExW(0, L"COMBOBOX", nullptr, WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 100,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(box, nullptr);
  if (!SetAccessibleName(box, L"Keyword type")) {
    DestroyWindow(box);
    CoUninitialize();
    // Wine 8 has no annotation service: the names are for Windows' screen readers.
    GTEST_SKIP() << "the system has no accessibility annotation service (Wine)";
  }
  IAccessible* object = nullptr;
  ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(box, static_cast<DWORD>(OBJID_CLIENT),
                                                   IID_IAccessible,
                                                   reinterpret_cast<void**>(&object))));
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  EXPECT_TRUE(SUCCEEDED(object->get_accName(self, &name)));
  EXPECT_EQ(std::wstring(name ? name : L""), L"Keyword type");
  SysFreeString(name);
  object->Release();
  DestroyWindow(box);
  CoUninitialize();
}

}  // namespace
}  // namespace tarvex::win32
