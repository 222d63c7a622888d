#pragma once

// Asks "Are you sure you want to exit?" with Yes and No; true unless the answer is No.
// Leaving either editing dialog ends the program without saving, so both ask the same.
bool UserConfirmsExit();
