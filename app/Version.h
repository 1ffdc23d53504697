#pragma once
// The program's version record, compiled into its resources from the project version:
// four numbers and the flags debug, pre-release, private build and special build.

#include <QString>

// Where the program's own record lies in its resources.
inline const QString kVersionRecord = QStringLiteral(":/quon/version.json");

// "major.minor.release.build" followed by " Debug", " BETA", " Private" and " Special"
// for the flags that are set, in that order; "NoVersionInfo" when the record is
// missing or its numbers cannot be read.
QString ReadVersion(const QString& recordPath);
