#include "qt/checking/live_check.h"

#include <QApplication>
#include <QPalette>
#include <QToolTip>

#include "platform/code_page_1252.h"
#include "qt/tarvex_view.h"

namespace tarvex::qt {
namespace {

QString FromCp1252(const std::string& bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

}  // namespace

LiveCheck::LiveCheck(CTarvexView* view, const KeywordTable& table, QObject* parent)
    : QObject(parent), view_(view), table_(table) {
  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMs);
  connect(&pause_, &QTimer::timeout, this, &LiveCheck::CheckNow);
  connect(view_, &QsciScintilla::textChanged, this, [this] {
    if (enabled_) pause_.start();
  });
  view_->SendScintilla(QsciScintilla::SCI_INDICSETSTYLE, kIndicator, QsciScintilla::INDIC_SQUIGGLE);
  // Red reads on light and dark paper alike; the palette's own accent might not.
  view_->SendScintilla(QsciScintilla::SCI_INDICSETFORE, kIndicator, QColor(0xE0, 0x30, 0x30));
  view_->SendScintilla(QsciScintilla::SCI_SETMOUSEDWELLTIME, 500);
  connect(view_, &QsciScintilla::SCN_DWELLSTART, this, &LiveCheck::OnDwellStart);
  connect(view_, &QsciScintilla::SCN_DWELLEND, this, [] { QToolTip::hideText(); });
  pause_.start();
}

void LiveCheck::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) {
    CheckNow();
    return;
  }
  pause_.stop();
  list_.Clear();
  ShowUnderlines();
  emit faultsChanged();
}

void LiveCheck::CheckNow() {
  pause_.stop();
  if (!enabled_) return;
  list_.Check(view_->Bytes(), table_);
  ShowUnderlines();
  emit faultsChanged();
}

void LiveCheck::ShowUnderlines() {
  const long length = view_->Length();
  view_->SendScintilla(QsciScintilla::SCI_SETINDICATORCURRENT, kIndicator);
  view_->SendScintilla(QsciScintilla::SCI_INDICATORCLEARRANGE, 0, length);
  for (const SourceFault& f : list_.faults()) {
    const shell::TextRange range = list_.Underline(f);
    const auto start = static_cast<long>(range.start);
    const auto end = static_cast<long>(range.end);
    if (end > start && end <= length) {
      view_->SendScintilla(QsciScintilla::SCI_INDICATORFILLRANGE, start, end - start);
    }
  }
}

QString LiveCheck::MessageAt(long position) const {
  if (position < 0) return QString();
  return FromCp1252(list_.MessageAt(static_cast<std::size_t>(position)));
}

QString LiveCheck::CountText() const {
  if (!enabled_) return QString();
  return QString::fromStdString(list_.CountText());
}

void LiveCheck::OnDwellStart(int position, int x, int y) {
  if (position < 0) return;
  const QString message = MessageAt(position);
  if (!message.isEmpty()) {
    QToolTip::showText(view_->viewport()->mapToGlobal(QPoint(x, y)), message, view_);
  }
}

int LiveCheck::Select(int index) {
  const SourceFault& f = list_.faults()[index];
  view_->SelectAndShow(f.selection.start, f.selection.end);
  emit faultVisited(index);
  return index;
}

int LiveCheck::GoToNext() {
  if (pause_.isActive()) CheckNow();  // faults of the text as it is now
  const int index = list_.NextAfter(static_cast<std::size_t>(view_->Selection().first));
  return index < 0 ? -1 : Select(index);
}

int LiveCheck::GoToPrevious() {
  if (pause_.isActive()) CheckNow();
  const int index = list_.PreviousBefore(static_cast<std::size_t>(view_->Selection().first));
  return index < 0 ? -1 : Select(index);
}

}  // namespace tarvex::qt
