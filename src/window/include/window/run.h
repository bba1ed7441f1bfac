#pragma once

#include <QApplication>

#include "window/environment.h"

// Application-wide settings made once at start: title, style, font substitutions.
void PrepareApplication(QApplication& app);

// Creates the main window (its start-up runs) and runs the event loop until it is closed.
// A catalogue that cannot be loaded ends the program at once with exit status 1.
int RunCatalog(QApplication& app, AppEnvironment env);
