#pragma once
// Texts of the application as a whole.

#include <QString>

// The application title: the task bar's name of the program and the caption of its message boxes.
inline const QString kApplicationTitle = QStringLiteral("Каталог запасных частей");
// The maker's sales department, to which orders go.
inline const QString kSalesAddress = QStringLiteral("sales@krantek.ru");
// The application's help file: a bare file name.
inline const QString kHelpFile = QStringLiteral("Catalog.chm");
