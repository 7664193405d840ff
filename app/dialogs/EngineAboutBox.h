// The calculation engine's own about window, "About: Veltrum". The engine
// shows no windows itself; the program installs this one through the
// engine's about-box hook, so that cWL::About opens it.
#pragma once

#include <QDialog>

#include "core/Records.h"
#include "wlapp_export.h"

class QLabel;

namespace wl {

class WLAPP_EXPORT EngineAboutBox : public QDialog {
  Q_OBJECT

 public:
  EngineAboutBox();

  // True (-1) keeps the window above the others, False (0) lets it go;
  // both keep its place and size and return non-zero. Any other value does
  // nothing and returns 0.
  Long SetTopMost(Boolean OnTop);

  // Installs the window behind cWL::About: shown modally (About returns when
  // it is closed), then kept on top. One window, made on first use.
  static void Install();
  // The window, once made.
  static EngineAboutBox* Instance();

  QLabel* message;
};

}  // namespace wl
