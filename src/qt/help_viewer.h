// The help viewer: a window that shows the HTML user guide shipped with the
// program, opened at its contents. When the guide cannot be read, the
// viewer says so in its own window.
#ifndef TARVEX_QT_HELP_VIEWER_H_
#define TARVEX_QT_HELP_VIEWER_H_

#include <QMainWindow>
#include <QString>

class QTextBrowser;

namespace tarvex::qt {

// The guide's contents page beside the program: share/tarvex/help/index.html
// next to the bin folder, in the build tree and when installed alike.
QString DefaultHelpFile();

class HelpViewer : public QMainWindow {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* owner);

  // Shows the guide at `contentsFile`, brought to the front.
  void ShowContents(const QString& contentsFile);

  QTextBrowser* browser() const { return browser_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QTextBrowser* browser_;
};

}  // namespace tarvex::qt

#endif  // TARVEX_QT_HELP_VIEWER_H_
