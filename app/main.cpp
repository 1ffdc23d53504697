// Program start: the style, the main window with the Information page in front, the
// message loop until the window closes.
#include <QApplication>

#include "app/MainForm.h"
#include "app/Messages.h"
#include "app/Style.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QUON-Zavurov"));
  QApplication::setStyle(QStringLiteral("Fusion"));

  TMessageBoxMessages messages;
  ApplyStyle(app, kProgramStyle, messages);

  TMainForm form(TMainFormOptions{&messages, {}, {}});
  form.show();
  return app.exec();
}
