#pragma once
// The program's message box: a modal box with the application title as caption and an OK
// button. Tests install a recorder instead, so that no test ever waits on a dialog.

#include <QString>

#include <functional>

inline const QString kApplicationTitle = QStringLiteral("Каталог запасных частей");

using MessageHandler = std::function<void(const QString& text)>;

void ShowMessage(const QString& text);
// Installs a handler in place of the box; an empty handler restores the box. Returns the
// handler that was installed before.
MessageHandler SetMessageHandler(MessageHandler handler);
