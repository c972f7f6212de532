// Toolbar separators as screen readers should know them: Qt exposes them as
// unnamed generic panes, which a screen reader stops at and cannot name.
#ifndef TARVEX_QT_ACCESSIBILITY_SEPARATOR_ROLE_H_
#define TARVEX_QT_ACCESSIBILITY_SEPARATOR_ROLE_H_

namespace tarvex::qt {

// Gives every toolbar separator the separator role; once per process.
void InstallToolbarSeparatorRole();

}  // namespace tarvex::qt

#endif  // TARVEX_QT_ACCESSIBILITY_SEPARATOR_ROLE_H_
