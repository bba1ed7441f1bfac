#pragma once
// The application title: the task bar's name of the program and the caption of its message boxes.

#include <QString>

inline const QString kApplicationTitle = QStringLiteral("Каталог запасных частей");
