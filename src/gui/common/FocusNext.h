#pragma once

class QWidget;

// Gives the focus to the next control that Tab would reach from w (a caption beside a box
// is in the focus chain too, and must not take the keyboard). False when there is none.
bool FocusNextControl(QWidget* w);
