#include "shell/print_preview.h"

#include <algorithm>

namespace tarvex::shell {

PreviewState::PreviewState(int pageCount, int shownPages)
    : pageCount_(std::max(1, pageCount)), wanted_(shownPages == 2 ? 2 : 1) {}

int PreviewState::shownPages() const {
  return wanted_ == 2 && first_ < pageCount_ ? 2 : 1;
}

bool PreviewState::CanGoNext() const {
  return first_ + shownPages() - 1 < pageCount_;
}

void PreviewState::Next() {
  if (CanGoNext()) ++first_;
}

void PreviewState::Previous() {
  if (CanGoPrevious()) --first_;
}

void PreviewState::TogglePages() {
  wanted_ = wanted_ == 2 ? 1 : 2;
  // Two pages from the last one: step back so that two can be shown.
  if (wanted_ == 2 && first_ == pageCount_ && first_ > 1) --first_;
}

void PreviewState::ZoomIn() {
  zoom_ = std::min(kMaxZoom, zoom_ + 1);
}

void PreviewState::ZoomOut() {
  zoom_ = std::max(0, zoom_ - 1);
}

std::string PreviewState::ToggleCaption() const {
  return wanted_ == 2 ? "&One Page" : "&Two Page";
}

std::string PreviewState::StatusText() const {
  const std::string of = " of " + std::to_string(pageCount_);
  if (shownPages() == 2) {
    return "Pages " + std::to_string(first_) + "-" + std::to_string(first_ + 1) + of;
  }
  return "Page " + std::to_string(first_) + of;
}

}  // namespace tarvex::shell
