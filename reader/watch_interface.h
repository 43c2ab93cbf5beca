// Between libvoxausr.so and the window watcher libvoxawatch.so, which it loads from its own
// directory. Plain C, so the two libraries share no C++ objects. Texts are Shift-JIS.
#pragma once

extern "C" {

// What the reader offers the watcher.
struct VoxaWatchSink {
  void* reader;
  // The reader's own words: with interrupt they cut what is being spoken, else they follow it.
  void (*say)(void* reader, const char* text, int interrupt);
  void (*stop)(void* reader);                       // silence
  void (*command)(void* reader, const char* name);  // one of the reader's keys
  unsigned (*autoRead)(void* reader);               // status kind 0x20002 now
  // A character at a caret, cutting what is being spoken, said as the reader says one (by its
  // description while character names are on). Null: the watcher says the character as text.
  void (*sayCharacter)(void* reader, const char* character);
  // 1 once the program has set status kind 0x20002 (it speaks for its own windows), 0 for a
  // program that never has, whose focused edits the watcher reads. Null counts as 1.
  int (*programSpeaks)(void* reader);
};

// The reader's own settings, kept under its registry key.
struct VoxaReaderSettings {
  int rateStep;           // 1 (slowest) to 5
  int wholeLineOnUpDown;  // option 7
  int characterNames;     // a single character is spoken by its name
};

enum VoxaWatchQuestion {
  kVoxaAskActiveTitle = 1,  // the active window's title
  kVoxaAskFocus = 2,        // the focused control: caption, role, state, value
  kVoxaAskInputState = 3,   // the keyboard's input state
};

// Exported by libvoxawatch.so. Attach fails (-1) without a user-interface thread; a second
// attach replaces the first.
typedef int (*VoxaWatchAttachFn)(const struct VoxaWatchSink* sink);
typedef void (*VoxaWatchDetachFn)(void);
// 0 when the key was read (values missing from it leave the fields as they are), -1 otherwise.
typedef int (*VoxaWatchLoadSettingsFn)(struct VoxaReaderSettings* settings);
typedef int (*VoxaWatchSaveSettingsFn)(const struct VoxaReaderSettings* settings);
// The answer's length in bytes (0 for nothing to say), always NUL-terminated within size.
typedef int (*VoxaWatchDescribeFn)(int question, char* buffer, int size);

}  // extern "C"
