#pragma once

#include <QApplication>

#include "window/environment.h"

// Application-wide settings made once at start: title, desktop entry, style, font
// substitutions.
void PrepareApplication(QApplication& app);

// The program's command line (arguments()[0] is the program): only "--catalogue DIR" or
// "--catalogue=DIR" is read, naming a catalogue folder to open instead of the one beside the
// executable (made absolute here). Anything else leaves `error` set, with the usage.
struct StartOptions {
  QString catalogueDir;  // empty: beside the executable
  QString error;         // empty: the command line is accepted
};
StartOptions ParseStartOptions(const QStringList& arguments);

// Creates the main window (its start-up runs) and runs the event loop until it is closed.
// A catalogue that cannot be loaded ends the program at once with exit status 1.
int RunCatalog(QApplication& app, AppEnvironment env);
