#include "qt/checking/keyword_assist.h"

#include <optional>
#include <string>

#include "checker/entry_context.h"
#include "keywords/keyword_description.h"
#include "lsp/policy_language.h"
#include "qt/tarvex_view.h"

namespace tarvex::qt {
namespace {
// Keyword names may hold blanks, never a line feed: it separates the list.
constexpr char kSeparator = '\n';
}  // namespace

KeywordAssist::KeywordAssist(CTarvexView* view, const KeywordTable& table, QObject* parent)
    : QObject(parent), view_(view), table_(table) {
  view_->SendScintilla(QsciScintilla::SCI_AUTOCSETSEPARATOR, static_cast<long>(kSeparator));
  view_->SendScintilla(QsciScintilla::SCI_AUTOCSETIGNORECASE, 1L);
  view_->SendScintilla(QsciScintilla::SCI_AUTOCSETAUTOHIDE, 1L);
  view_->SendScintilla(QsciScintilla::SCI_AUTOCSETDROPRESTOFWORD, 0L);
  view_->SendScintilla(QsciScintilla::SCI_AUTOCSETORDER, 1L);  // SC_ORDER_PERFORMSORT
  connect(view_, &QsciScintilla::SCN_CHARADDED, this, &KeywordAssist::OnCharAdded);
}

bool KeywordAssist::ShowCompletions() {
  const std::string text = view_->Bytes();
  const long caret = view_->Selection().second;
  const std::vector<lsp::Completion> items = lsp::CompletionsAt(text, caret, table_);
  if (items.empty()) return false;
  const EntryContext c = EntryContextAt(text, caret);
  std::string list;
  for (const lsp::Completion& item : items) {
    if (!list.empty()) list += kSeparator;
    list += item.label;
  }
  view_->SendScintilla(QsciScintilla::SCI_AUTOCSHOW, static_cast<unsigned long>(c.prefix.size()),
                       list.c_str());
  return true;
}

bool KeywordAssist::ShowCalltip() {
  const std::string text = view_->Bytes();
  const long caret = view_->Selection().second;
  const EntryContext c = EntryContextAt(text, caret);
  if (c.where != EntryContext::Where::kValue) return false;
  const std::optional<KeywordDef> row = table_.Find(c.keyword);
  if (!row) return false;
  const std::string tip = DescribeKeyword(*row);
  view_->SendScintilla(QsciScintilla::SCI_CALLTIPSHOW, static_cast<unsigned long>(caret),
                       tip.c_str());
  return true;
}

void KeywordAssist::OnCharAdded(int ch) {
  if (!enabled_) return;
  if (ch == '=') {
    ShowCalltip();
    return;
  }
  if (view_->SendScintilla(QsciScintilla::SCI_AUTOCACTIVE) != 0) return;
  const std::string text = view_->Bytes();
  const long caret = view_->Selection().second;
  const EntryContext c = EntryContextAt(text, caret);
  if (c.where == EntryContext::Where::kKeyword &&
      c.prefix.size() == static_cast<std::size_t>(kAutoPrefix)) {
    ShowCompletions();
  }
}

}  // namespace tarvex::qt
