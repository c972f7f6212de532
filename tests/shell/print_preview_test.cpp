// The print preview's pages, buttons and status text.
#include "shell/print_preview.h"

#include <gtest/gtest.h>

namespace tarvex::shell {
namespace {

TEST(PrintPreviewTest, TwoPagesSideBySideStepThroughTheDocument) {
  PreviewState preview(3, 2);
  EXPECT_EQ(preview.StatusText(), "Pages 1-2 of 3");
  EXPECT_EQ(preview.ToggleCaption(), "&One Page");
  EXPECT_FALSE(preview.CanGoPrevious());
  preview.Next();
  EXPECT_EQ(preview.StatusText(), "Pages 2-3 of 3");
  EXPECT_FALSE(preview.CanGoNext());
  preview.TogglePages();
  EXPECT_EQ(preview.StatusText(), "Page 2 of 3");
  EXPECT_EQ(preview.wantedPages(), 1);
  preview.Next();
  EXPECT_EQ(preview.StatusText(), "Page 3 of 3");
  preview.TogglePages();  // two pages from the last one step back
  EXPECT_EQ(preview.StatusText(), "Pages 2-3 of 3");
}

TEST(PrintPreviewTest, OnePageDocumentsAndStoredSettingsShowOnePage) {
  EXPECT_EQ(PreviewState(1, 2).StatusText(), "Page 1 of 1");
  EXPECT_EQ(PreviewState(1, 2).wantedPages(), 2);
  EXPECT_EQ(PreviewState(4, 0).shownPages(), 1);  // nothing stored yet
  EXPECT_EQ(PreviewState(0, 1).pageCount(), 1);
}

TEST(PrintPreviewTest, ZoomStaysWithinItsSteps) {
  PreviewState preview(2, 1);
  EXPECT_FALSE(preview.CanZoomOut());
  for (int i = 0; i < 5; ++i) preview.ZoomIn();
  EXPECT_EQ(preview.zoom(), PreviewState::kMaxZoom);
  EXPECT_FALSE(preview.CanZoomIn());
  preview.ZoomOut();
  EXPECT_TRUE(preview.CanZoomIn());
}

}  // namespace
}  // namespace tarvex::shell
