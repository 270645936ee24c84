// Screenshots on F12: the frame as shown, saved as quor-YYYYMMDD-HHMMSS.png in the working
// directory and confirmed (or its failure reported) by a message.
#pragma once

// Asks for a screenshot of the next finished frame.
void RequestScreenshot();
// At the end of a frame: saves it if asked for, then posts the message.
void TakePendingScreenshot();
