// What a screen reader reads of the text view: the text decoded from the
// code page, so the euro sign is read as a euro sign, not as a control
// character. Every character of the code page is one UTF-16 unit, so an
// offset the screen reader sees is the byte offset in the view.
#ifndef TARVEX_QT_CODE_PAGE_TEXT_VIEW_ACCESSIBLE_H_
#define TARVEX_QT_CODE_PAGE_TEXT_VIEW_ACCESSIBLE_H_

namespace tarvex::qt {

class CTarvexView;

// Makes screen readers use the view's code-page-aware interface; once per
// process, before the first view is read.
void InstallTextViewAccessible();

// Tells screen readers that text was inserted or removed at `position`, or
// that the caret or the selection moved. Cheap when none listens.
void NotifyTextInserted(CTarvexView& view, long position, const char* bytes, long length);
void NotifyTextRemoved(CTarvexView& view, long position, const char* bytes, long length);
void NotifyCaretMoved(CTarvexView& view);

}  // namespace tarvex::qt

#endif  // TARVEX_QT_CODE_PAGE_TEXT_VIEW_ACCESSIBLE_H_
