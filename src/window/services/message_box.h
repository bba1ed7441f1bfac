#pragma once
// Message boxes that show their whole caption: the window manager cuts a title wider than its
// window, and a short message makes a narrow box.

class QMessageBox;

// Widens the box, before it is shown, to what its caption needs beside the title bar's
// buttons.
void FitCaption(QMessageBox& box);
