#include "app/Version.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

QString ReadVersion(const QString& recordPath) {
  const QString none = QStringLiteral("NoVersionInfo");
  QFile file(recordPath);
  if (!file.open(QIODevice::ReadOnly)) return none;
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) return none;
  const QJsonObject record = doc.object();

  QStringList numbers;
  for (const char* key : {"major", "minor", "release", "build"}) {
    const QJsonValue v = record.value(QLatin1String(key));
    const double d = v.toDouble(-1);
    // Each part is a 16-bit number in a version resource.
    if (!v.isDouble() || d < 0 || d > 65535 || d != static_cast<int>(d)) return none;
    numbers << QString::number(static_cast<int>(d));
  }
  QString result = numbers.join(QLatin1Char('.'));
  const std::pair<const char*, const char*> flags[] = {
      {"debug", " Debug"}, {"prerelease", " BETA"}, {"private", " Private"}, {"special", " Special"}};
  for (const auto& [key, word] : flags)
    if (record.value(QLatin1String(key)).toBool(false)) result += QLatin1String(word);
  return result;
}
