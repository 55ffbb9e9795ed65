#pragma once
#include <string>

// Shows a message box from within play and blocks until it is closed. The box
// takes the releases of keys held when it opened, so they are let go here;
// and the time it was open is no frame's step.
void showBlockingMessage(const std::string& text, const std::string& caption);

// How many boxes play has shown so far (a timedemo leaves their frames out of play).
extern unsigned blockingMessagesShown;
