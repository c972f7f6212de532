// What a print preview shows: one or two pages side by side from a page
// on, at a zoom, and what its buttons may do now. The shell draws; this
// decides.
#ifndef TARVEX_SHELL_PRINT_PREVIEW_H_
#define TARVEX_SHELL_PRINT_PREVIEW_H_

#include <string>

namespace tarvex::shell {

class PreviewState {
 public:
  static constexpr int kMaxZoom = 2;  // 0 the whole page; 1 and 2 larger

  // `pageCount` pages (at least one is shown); `shownPages` as the settings
  // keep it ("PreviewPages": 1 or 2, anything else means 1).
  PreviewState(int pageCount, int shownPages);

  int pageCount() const { return pageCount_; }
  int firstPage() const { return first_; }  // from 1
  // How many pages are side by side now: 1, or 2 when asked for and there
  // are two pages to show from the first.
  int shownPages() const;
  // What the settings keep: the number of pages asked for (1 or 2).
  int wantedPages() const { return wanted_; }
  int zoom() const { return zoom_; }

  bool CanGoNext() const;
  bool CanGoPrevious() const { return first_ > 1; }
  bool CanZoomIn() const { return zoom_ < kMaxZoom; }
  bool CanZoomOut() const { return zoom_ > 0; }

  void Next();
  void Previous();
  // One page or two: the button's other state.
  void TogglePages();
  void ZoomIn();
  void ZoomOut();

  // The button that toggles, as it reads now: "&Two Page" or "&One Page".
  std::string ToggleCaption() const;
  // "Page 1 of 3" or "Pages 1-2 of 3".
  std::string StatusText() const;

 private:
  int pageCount_;
  int wanted_;
  int first_ = 1;
  int zoom_ = 0;
};

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_PRINT_PREVIEW_H_
