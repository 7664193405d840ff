// The splash window shown while the program starts.
#pragma once

#include <QWidget>

#include "wlapp_export.h"

class QLabel;

namespace wl {

class WLAPP_EXPORT frmSplash : public QWidget {
  Q_OBJECT

 public:
  explicit frmSplash(QWidget* parent = nullptr);
  void SetStatusText(const QString& text);
  QLabel* labStatus;
};

}  // namespace wl
