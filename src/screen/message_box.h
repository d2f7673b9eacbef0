#pragma once

// From now on the game's messages are shown in SDL's message box, over the
// game's window when it asks for it.
void showMessagesInBoxes();
