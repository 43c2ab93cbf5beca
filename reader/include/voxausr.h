// The screen reader's programming interface, as libvoxausr.so exports it. The program never links
// the library: it loads it by name and binds these entry points one by one, so each may be
// missing. Every text is Shift-JIS, NUL-terminated. Values that may carry an address (a status
// value naming a callback) are pointer-sized.
#pragma once

#include <cstdint>

extern "C" {

using VoxaValue = std::intptr_t;

// Callbacks the program hands the reader through VOXASetStatus (kinds 0x20001 and 0x20004). Both
// return 1 for "handled", 0 otherwise.
using VoxaStatusCallback = int (*)(int type, VoxaValue param);
using VoxaCommandCallback = int (*)(const char* name);

VoxaValue VOXASetStatus(VoxaValue kind, VoxaValue value, VoxaValue extra);  // returns the previous value
VoxaValue VOXAGetStatus(VoxaValue kind, VoxaValue index, VoxaValue extra);
int VOXAGetVStatus(void);                                   // 1 while speech is being output
int VOXAVoiceGuide(const char* text, int flags);            // a short guide text
int VOXACommand(const char* name, int arg1, int arg2);      // performs a reader command by name
int VOXAVReset(void);                                       // stops and discards pending speech
int VOXAStatus(void);
int VOXABeep(int type);
int VOXAGetVersion(void);
int VOXAEventHook(VoxaValue hook, VoxaValue param);
int VOXAGetVoiceLog(char* buffer, int bufferSize);
int VOXAPRead(const char* text, int mode, int flag);        // queues text for speech
int VOXACGuide(const char* text, int mode);                 // speaks text in a guide mode
int VOXAPReadEx(const char* text, int mode, int flag, VoxaValue extra);
int VOXACGuideEx(const char* text, int mode, VoxaValue extra);

}  // extern "C"
