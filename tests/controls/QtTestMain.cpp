// GoogleTest entry point for the widget suites: one QApplication for the
// whole run (the platform comes from QT_QPA_PLATFORM, offscreen under CTest).
#include <gtest/gtest.h>

#include <QApplication>

namespace {
// The offscreen platform cannot grab the pointer at the window-system level
// (Qt's own routing to the grabbing widget still works) nor pass size hints
// on; its warnings about that are noise in the test logs.
QtMessageHandler standardHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message == QLatin1String("This plugin does not support grabbing the mouse") ||
      message == QLatin1String("This plugin does not support propagateSizeHints()")) {
    return;
  }
  if (standardHandler) standardHandler(type, context, message);
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  standardHandler = qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
