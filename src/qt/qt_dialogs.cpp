#include "qt/qt_dialogs.h"

#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <algorithm>

#include "platform/resource_ids.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

QMessageBox::Icon ToQt(Dialogs::Icon icon) {
  return icon == Dialogs::Icon::kWarning ? QMessageBox::Warning : QMessageBox::NoIcon;
}

// The extension of a filter such as "Tarvex Files (*.inf)", for names typed without one.
QString SuffixOf(const QStringList& filters) {
  if (filters.isEmpty()) return QString();
  static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
  const QRegularExpressionMatch match = pattern.match(filters.first());
  return match.hasMatch() ? match.captured(1) : QString();
}

// The preview dialog's own action for the layout of `pages` pages. Chosen
// through the action, the dialog's buttons and its zoom follow the layout;
// set on the preview widget alone, they would not.
const char* ModeActionName(int pages) {
  if (pages >= 3) return "overviewModeAction";
  if (pages == 2) return "facingModeAction";
  return "singleModeAction";
}

int PagesShown(const QPrintPreviewWidget& preview) {
  switch (preview.viewMode()) {
    case QPrintPreviewWidget::SinglePageView:
      return 1;
    case QPrintPreviewWidget::FacingPagesView:
      return 2;
    case QPrintPreviewWidget::AllPagesView:
      // At least 3, so that the overview comes back as an overview even
      // for a document of one or two pages.
      return std::max(3, preview.pageCount());
  }
  return 1;
}

}  // namespace

void QtDialogs::Message(QWidget* parent, const QString& text, Icon icon) {
  QMessageBox box(ToQt(icon), LoadText(IDS_APP_TITLE), text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

Dialogs::Answer QtDialogs::AskToSave(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, LoadText(IDS_APP_TITLE), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

QString QtDialogs::OpenFileName(QWidget* parent, const QString& title, const QStringList& filters) {
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

QString QtDialogs::SaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
                                const QString& proposed) {
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(SuffixOf(filters));
  dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

bool QtDialogs::PrintDialog(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::PrintSetup(QWidget* parent, QPrinter& printer) {
  // The print dialog in its set-up role: the printer and its paper are
  // chosen here, and nothing is printed.
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Print Setup"));
  dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
  return dialog.exec() == QDialog::Accepted;
}

int QtDialogs::PrintPreview(QWidget* parent, QPrinter& printer, int pages,
                            const std::function<void(QPrinter*)>& paint) {
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&paint](QPrinter* p) { paint(p); });
  auto* preview = dialog.findChild<QPrintPreviewWidget*>();
  if (pages > 0) {
    if (auto* mode = dialog.findChild<QAction*>(QLatin1String(ModeActionName(pages)))) {
      mode->trigger();
    }
  }
  dialog.exec();
  return preview ? PagesShown(*preview) : pages;
}

void QtDialogs::Run(QDialog& dialog) {
  dialog.exec();
}

}  // namespace tarvex::qt
