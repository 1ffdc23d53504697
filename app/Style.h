#pragma once
// The program's visual styles, carried in its resources as Qt style sheets and applied
// by name at start.

#include <QString>

class QApplication;
class TMessages;

// Name of the style the program starts with.
inline const QString kProgramStyle = QStringLiteral("Amethyst Kamri");

// Applies the style sheet named `name` from `styleDir` (resource folder) to the whole
// application. An unknown name shows "Stil '<name>' nicht gefunden" and leaves the
// default look in place. Returns whether the style was applied.
bool ApplyStyle(QApplication& app, const QString& name, TMessages& messages,
                const QString& styleDir = QStringLiteral(":/styles"));
