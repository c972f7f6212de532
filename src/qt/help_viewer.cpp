#include "qt/help_viewer.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "platform/resource_ids.h"
#include "qt/resources/frame_resources.h"
#include "qt/text_codec.h"

namespace tarvex::qt {

QString DefaultHelpFile() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/tarvex/help/index.html"));
}

HelpViewer::HelpViewer(QWidget* owner) : QMainWindow(owner, Qt::Window) {
  setWindowTitle(LoadText(IDS_APP_TITLE) + QStringLiteral(" Help"));
  setWindowIcon(resources::ApplicationIcon());
  browser_ = new QTextBrowser(this);
  browser_->setAccessibleName(QStringLiteral("Help text"));
  browser_->setOpenExternalLinks(true);
  setCentralWidget(browser_);

  QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  QAction* back = bar->addAction(QStringLiteral("&Back"), browser_, &QTextBrowser::backward);
  back->setShortcut(QKeySequence::Back);
  QAction* forward = bar->addAction(QStringLiteral("&Forward"), browser_, &QTextBrowser::forward);
  forward->setShortcut(QKeySequence::Forward);
  QAction* contents = bar->addAction(QStringLiteral("&Contents"), browser_, &QTextBrowser::home);
  contents->setShortcut(QKeySequence(QStringLiteral("Alt+Home")));
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  resize(720, 640);
}

void HelpViewer::keyPressEvent(QKeyEvent* e) {
  // Esc closes the guide, as it closes a dialog.
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    close();
    return e->accept();
  }
  QMainWindow::keyPressEvent(e);
}

void HelpViewer::ShowContents(const QString& contentsFile) {
  const QFileInfo file(contentsFile);
  if (file.isFile() && file.isReadable()) {
    browser_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    browser_->home();
  } else {
    browser_->clearHistory();
    browser_->setHtml(QStringLiteral("<h2>%1</h2><p>The help file <b>%2</b> cannot be found or "
                                     "read. Reinstall Tarvex to restore it.</p>")
                          .arg(LoadText(IDP_FAILED_TO_LAUNCH_HELP).toHtmlEscaped(),
                               QDir::toNativeSeparators(contentsFile).toHtmlEscaped()));
  }
  show();
  raise();
  activateWindow();
}

}  // namespace tarvex::qt
