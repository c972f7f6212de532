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

// The underlined range of a fault: Generate's selection, or its first
// character when Generate would select nothing there.
std::pair<long, long> Underline(const SourceFault& f, std::size_t length) {
  long start = static_cast<long>(f.selection.start);
  long end = static_cast<long>(f.selection.end);
  if (end == start && static_cast<std::size_t>(end) < length) ++end;
  return {start, end};
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
  faults_.clear();
  text_.clear();
  ShowUnderlines();
  emit faultsChanged();
}

void LiveCheck::CheckNow() {
  pause_.stop();
  if (!enabled_) return;
  text_ = view_->Bytes();
  faults_ = CheckText(text_, table_);
  ShowUnderlines();
  emit faultsChanged();
}

void LiveCheck::ShowUnderlines() {
  const long length = view_->Length();
  view_->SendScintilla(QsciScintilla::SCI_SETINDICATORCURRENT, kIndicator);
  view_->SendScintilla(QsciScintilla::SCI_INDICATORCLEARRANGE, 0, length);
  for (const SourceFault& f : faults_) {
    if (!f.selects) continue;
    const auto [start, end] = Underline(f, text_.size());
    if (end > start && end <= length) {
      view_->SendScintilla(QsciScintilla::SCI_INDICATORFILLRANGE, start, end - start);
    }
  }
}

QString LiveCheck::MessageAt(long position) const {
  for (const SourceFault& f : faults_) {
    if (!f.selects) continue;
    const auto [start, end] = Underline(f, text_.size());
    if (position >= start && position < end) return FromCp1252(f.message);
  }
  return QString();
}

QString LiveCheck::CountText() const {
  if (!enabled_) return QString();
  const int n = static_cast<int>(faults_.size());
  if (n == 0) return tr("No faults");
  return n == 1 ? tr("1 fault") : tr("%1 faults").arg(n);
}

void LiveCheck::OnDwellStart(int position, int x, int y) {
  if (position < 0) return;
  const QString message = MessageAt(position);
  if (!message.isEmpty()) {
    QToolTip::showText(view_->viewport()->mapToGlobal(QPoint(x, y)), message, view_);
  }
}

int LiveCheck::Select(int index) {
  const SourceFault& f = faults_[index];
  view_->SelectAndShow(f.selection.start, f.selection.end);
  emit faultVisited(index);
  return index;
}

int LiveCheck::GoToNext() {
  if (pause_.isActive()) CheckNow();  // faults of the text as it is now
  const int n = static_cast<int>(faults_.size());
  if (n == 0) return -1;
  const long caret = view_->Selection().first;
  for (int i = 0; i < n; ++i) {
    if (static_cast<long>(faults_[i].selection.start) > caret) return Select(i);
  }
  return Select(0);
}

int LiveCheck::GoToPrevious() {
  if (pause_.isActive()) CheckNow();
  const int n = static_cast<int>(faults_.size());
  if (n == 0) return -1;
  const long caret = view_->Selection().first;
  for (int i = n - 1; i >= 0; --i) {
    if (static_cast<long>(faults_[i].selection.start) < caret) return Select(i);
  }
  return Select(n - 1);
}

}  // namespace tarvex::qt
