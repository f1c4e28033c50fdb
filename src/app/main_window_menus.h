// What the main window's files share to build menus: a named menu item and a
// named menu on the bar (objectName is what the caption tables and the tests
// address).
#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace kv3 {

QAction* NewAction(QObject* parent, const char* name);
QMenu* NewMenu(QMenuBar* bar, const char* name);

}  // namespace kv3
