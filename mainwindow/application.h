#pragma once

namespace tarvo {

// Gives the running QApplication the game's name, version, desktop entry and
// window icon. Called once, after the QApplication is made.
void describeApplication();

} // namespace tarvo
