#include "app/Style.h"

#include <QApplication>
#include <QFile>

#include "app/Messages.h"

bool ApplyStyle(QApplication& app, const QString& name, TMessages& messages, const QString& styleDir) {
  QFile file(styleDir + QLatin1Char('/') + name + QStringLiteral(".qss"));
  if (name.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    messages.Error(QStringLiteral("Stil '%1' nicht gefunden").arg(name));
    return false;
  }
  app.setStyleSheet(QString::fromUtf8(file.readAll()));
  return true;
}
