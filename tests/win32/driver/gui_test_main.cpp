// The main of a GUI test program: GoogleTest, plus a screenshot of the screen
// at a test's first failure (before its fixture closes the program under
// test) into the folder named by TARVEX_GUI_SHOTS, when it is set.
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "driver/ui_driver.h"

namespace {

class ScreenshotOnFailure : public ::testing::EmptyTestEventListener {
 public:
  explicit ScreenshotOnFailure(std::wstring folder) : folder_(std::move(folder)) {}

 private:
  void OnTestStart(const ::testing::TestInfo&) override { taken_ = false; }
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed() || taken_) return;
    taken_ = true;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!test) return;
    std::wstring name =
        tarvex::ui::Utf16(std::string(test->test_suite_name()) + "." + test->name());
    for (wchar_t& c : name) {
      if (std::wcschr(L"\\/:*?\"<>|", c)) c = L'_';
    }
    const std::wstring path = folder_ + L"\\" + name + L".bmp";
    if (tarvex::ui::SaveScreenshot(path)) {
      std::printf("screenshot of the failure: %s\n", tarvex::ui::Utf8(path).c_str());
    }
  }

  std::wstring folder_;
  bool taken_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Under Wine without an X display every program would fail to open its
  // window: say why once instead.
  if (tarvex::ui::RunningUnderWine() && !GTEST_FLAG_GET(list_tests) && !std::getenv("DISPLAY")) {
    std::fprintf(stderr,
                 "no X display: GUI tests run on the screen that wine_gui_up "
                 "(scripts/lib/wine.sh) starts, as bash scripts/test-windows does\n");
    return 1;
  }
  if (const wchar_t* folder = _wgetenv(L"TARVEX_GUI_SHOTS"); folder && *folder) {
    CreateDirectoryW(folder, nullptr);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure(folder));
  }
  return RUN_ALL_TESTS();
}
