// The two callbacks the program hands the screen reader. The reader calls plain functions, so
// these forward to hooks that the windows set once they exist: the meaning view's focus test and
// the main window's handler of the reader's reading commands.
#pragma once

#include <functional>

#include "access/speech_library.h"

namespace lexiv::access {

// Returns 1 (handled) for types 1, 3, 4 and 5; for type 10, 1 only while the keyboard focus is in
// the meaning view (the focus test says so); 0 for any other type.
int ReaderStatusCallback(int type, ReaderValue param);
// Passes the name of one of the reader's reading commands to the handler; 1 when it handled the
// name, 0 (also without a handler or a name) leaves the command to the reader.
int ReaderCommandCallback(const char* name);

// An empty function clears the hook.
void SetMeaningViewFocusTest(std::function<bool()> focusInMeaningView);
void SetReaderCommandHandler(std::function<int(const char* name)> handler);

// Hands the callbacks to the reader (VOXASetStatus kinds 0x20001 and 0x20004), and takes them
// back (value 0). Taking the command callback back also clears its handler.
void RegisterReaderStatusCallback();
void UnregisterReaderStatusCallback();
void RegisterReaderCommandCallback(std::function<int(const char* name)> handler);
void UnregisterReaderCommandCallback();

}  // namespace lexiv::access
