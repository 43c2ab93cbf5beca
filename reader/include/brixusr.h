// The braille driver's programming interface, as libbrixusr.so exports it. Loaded by name like the
// screen reader's; every entry point may be missing. Texts and paths are Shift-JIS.
#pragma once

extern "C" {

int CallEvents(int event);
int SetEventBrlCommand(const char* commandFilePath);  // the program's braille command file
int SetEventRoundCommand(const char* commandFilePath);
int BrixStatus(void);
int BrixSendCommand(const char* command);
int BrixGetStatus(int kind);
int BrixSetStatus(int kind, int value);

}  // extern "C"
