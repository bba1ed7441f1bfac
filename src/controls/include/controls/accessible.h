#pragma once
// What assistive technology sees of the picture and label controls: a role (a button when a
// click works on the control), a name, whether it is available, and its click as the press
// action.

// Makes the controls known to Qt's accessibility; calling it again does nothing.
void InstallControlsAccessibility();
