#pragma once

class QDialog;

namespace tarvo {

// Whether the desktop can hide a window without telling the program, as
// Wayland does with a minimised one (xdg-shell has no such state).
bool desktopHidesWindowsUnseen();

// Runs a modal dialog until it is answered and returns exec()'s result,
// keeping the dialog there to be answered all the while: a maximised or
// full-screen dialog is restored at once. Where the desktop can hide it
// unseen (showAgainWhenHidden), the dialog is shown afresh when it asks to
// be minimised, which only a title bar drawn by the program itself tells,
// and whenever its owner window is activated after the dialog was, as when
// the player clicks the frozen game behind a dialog minimised out of sight.
int execInSight(QDialog *dialog, bool showAgainWhenHidden = desktopHidesWindowsUnseen());

} // namespace tarvo
