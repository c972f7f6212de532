#include "qt/qt_window_system.h"

#include <QApplication>
#include <QClipboard>

#include "qt/dialogs.h"
#include "qt/keyword_toolbar.h"
#include "qt/main_frame.h"
#include "qt/tarvex_app.h"
#include "qt/tarvex_doc.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {

// A Qt name filter: "Tarvex Files (*.inf)" already names its pattern.
QString QtFilter(const FileFilter& filter) {
  const QString name = FromMessage(filter.name);
  const QString pattern = FromMessage(filter.pattern);
  const QString suffix = QLatin1Char('(') + pattern + QLatin1Char(')');
  return name.endsWith(suffix) ? name : name + QLatin1Char(' ') + suffix;
}

}  // namespace

void QtWindowSystem::FrameMessageBox(int, const std::string& text) {
  app_.dialogs().Message(app_.frame(), FromMessage(text), Dialogs::Icon::kNone);
}

void QtWindowSystem::AppMessageBox(int, const std::string& text) {
  CMainFrame* frame = app_.frame();
  app_.dialogs().Message(frame && frame->isVisible() ? frame : nullptr, FromMessage(text),
                         Dialogs::Icon::kWarning);
}

bool QtWindowSystem::DocumentModified() {
  return app_.document() && app_.document()->IsModified();
}

std::string QtWindowSystem::DocumentPath() {
  return app_.document() ? ToPath(app_.document()->path()) : std::string();
}

void QtWindowSystem::SendFrameCommand(int commandId) {
  if (app_.frame()) app_.frame()->ExecuteCommand(commandId);
}

void QtWindowSystem::SendActiveWindowCommand(int commandId) {
  // Commands can only be given from the main frame (another window of ours
  // has no File menu), so the frame stands in when no window is active.
  auto* target = qobject_cast<CMainFrame*>(QApplication::activeWindow());
  if (!target) target = app_.frame();
  if (target) target->ExecuteCommand(commandId);
}

std::string QtWindowSystem::ViewText() {
  return app_.frame() ? app_.frame()->view()->Bytes() : std::string();
}

void QtWindowSystem::SelectAndShow(std::size_t start, std::size_t end) {
  if (app_.frame()) app_.frame()->view()->SelectAndShow(start, end);
}

std::optional<std::string> QtWindowSystem::PromptOpenFile(const std::string& title,
                                                          const std::vector<FileFilter>& filters) {
  QStringList qtFilters;
  for (const FileFilter& filter : filters) qtFilters << QtFilter(filter);
  const QString path = app_.dialogs().OpenFileName(app_.frame(), FromMessage(title), qtFilters);
  if (path.isEmpty()) return std::nullopt;
  return ToPath(path);
}

bool QtWindowSystem::OpenDocument(const std::string& path) {
  return app_.OpenDocumentFile(FromPath(path)) != nullptr;
}

void QtWindowSystem::StandardDropHandling(const std::vector<std::string>& paths) {
  if (app_.frame()) app_.frame()->ActivateFrame();
  for (const std::string& path : paths) app_.OpenDocumentFile(FromPath(path));
}

void QtWindowSystem::SetClipboardText(const std::string& text) {
  QApplication::clipboard()->setText(FromBytes(text));
}

void QtWindowSystem::AddKeywordBoxEntry(const std::string& name) {
  if (app_.frame()) app_.frame()->m_wndTools->AddKeyword(FromBytes(name));
}

std::string QtWindowSystem::KeywordBoxText() {
  return app_.frame() ? ToBytes(app_.frame()->m_wndTools->KeywordText()) : std::string();
}

void QtWindowSystem::ShowInBox(ValueBox box, const std::string& text) {
  if (app_.frame()) app_.frame()->m_wndTools->ShowInBox(box, FromBytes(text));
}

}  // namespace tarvex::qt
