// The palette and line-type files beside the program are read once, at
// start, on a thread of their own: the program makes its windows while the
// XML library loads and the files are parsed. The first use of either list
// (ColourPalette, LineTypeList) waits until both are read.
#pragma once

// Starts the read; later calls do nothing. The program calls it first thing
// at start; a first use of either list before that starts it too.
void StartReadingPickerFiles();
