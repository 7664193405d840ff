#include "DarkLook.h"

namespace wl {

QPalette DarkPalette(QPalette pal) {
  pal.setColor(QPalette::Window, kDarkWindow);
  pal.setColor(QPalette::WindowText, kDarkText);
  pal.setColor(QPalette::Button, QColor(74, 73, 79));
  pal.setColor(QPalette::ButtonText, kDarkText);
  pal.setColor(QPalette::Base, QColor(46, 45, 50));
  pal.setColor(QPalette::Text, kDarkAccent);  // the mark of the chosen option
  pal.setColor(QPalette::Light, QColor(100, 99, 106));
  pal.setColor(QPalette::Midlight, QColor(84, 83, 90));
  pal.setColor(QPalette::Mid, QColor(46, 45, 50));
  pal.setColor(QPalette::Dark, QColor(30, 29, 33));
  pal.setColor(QPalette::Shadow, QColor(20, 20, 22));
  pal.setColor(QPalette::Highlight, kDarkAccent);
  pal.setColor(QPalette::HighlightedText, Qt::black);
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    pal.setColor(QPalette::Disabled, role, QColor(128, 126, 134));
  return pal;
}

QString DarkButtonStyle(int padding) {
  return QStringLiteral(
             "QPushButton { background: #4a494f; color: #e8e8ec; border: 1px solid #77757c;"
             " border-radius: 2px; padding: 0 %1px; }"
             "QPushButton:hover { border-color: #ffc450; }"
             "QPushButton:focus { border-color: #ffc450; }"
             "QPushButton:pressed { background: #2e2d32; }")
      .arg(padding);
}

}  // namespace wl
