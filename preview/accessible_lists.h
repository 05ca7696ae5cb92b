#pragma once

// A list (combo box) that has an accessible name of its own is told to
// assistive technology by that name, its choice as its value. Qt on Linux
// gives a list its current text for a name, so a list's caption is never
// spoken. Call once, before the lists are shown; installing again does
// nothing.
void SpeakListsByTheirNames();
