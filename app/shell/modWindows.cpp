#include "modWindows.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTreeWidget>

#include "main/Bitmaps.h"
#include "main/frmMain.h"

namespace wl::modWindows {

QWidget* FindOwnerWindow(QWidget* form) {
  return form ? form->window() : nullptr;
}

QWidget* SetAppIcon(QWidget* form) {
  QWidget* owner = FindOwnerWindow(form);
  if (owner) owner->setWindowIcon(QIcon(Bitmaps::Get(QStringLiteral("WLICON"))));
  return owner;
}

void HookOwner(frmMain& form) {
  UnhookOwner(form);
  form.OwnerHook = QObject::connect(
      qGuiApp, &QGuiApplication::applicationStateChanged, &form,
      [&form](Qt::ApplicationState state) { form.ActivateApp(state == Qt::ApplicationActive); });
}

void UnhookOwner(frmMain& form) {
  if (form.OwnerHook) QObject::disconnect(form.OwnerHook);
  form.OwnerHook = {};
}

void SetWindowTopMost(QWidget* window, bool OnTop) {
  if (!window) return;
  const bool visible = window->isVisible();
  window->setWindowFlag(Qt::WindowStaysOnTopHint, OnTop);
  if (visible) window->show();  // changing the flags hides a window
  if (visible && OnTop) window->raise();
}

void SetTaskbarTopmost(bool) {}

void SetTreeColours(QTreeWidget* tree) {
  QPalette p = tree->palette();
  p.setColor(QPalette::Base, QColor(100, 98, 104));
  p.setColor(QPalette::Window, QColor(100, 98, 104));
  p.setColor(QPalette::Text, Qt::white);
  tree->setPalette(p);
}

}  // namespace wl::modWindows
