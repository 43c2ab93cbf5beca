// The reader's automation object, as libvoxausr.so hands it out: a program that speaks through
// the object rather than through the entry points of voxausr.h creates one with
// VOXACreateObject, calls its methods through the table and releases it at the end. Plain C, so
// that a program loads the library by name and shares no C++ with it. Texts are Shift-JIS,
// NUL-terminated. Every method returns 0 on success and -1 on failure.
//
// The numbered methods follow the two standard ones in the table, in this order; slots 5, 7 and 8
// are reserved and null.
#pragma once

extern "C" {

struct VoxaObject;

struct VoxaObjectMethods {
  // The standard methods: one more holder, one holder less (the last frees the object).
  long (*AddRef)(struct VoxaObject* self);
  long (*Release)(struct VoxaObject* self);
  // 1: queues text for speech; *result (when given) receives 1 when it was queued.
  long (*Speak)(struct VoxaObject* self, const char* text, long* result);
  // 2: stops and discards pending speech.
  long (*StopSpeech)(struct VoxaObject* self);
  // 3: the reader stops following the focus on its own (the program speaks for its windows).
  long (*StopFollowingFocus)(struct VoxaObject* self);
  // 4: the reader follows the focus again, reading edits and menus as it does for any program.
  long (*FollowFocus)(struct VoxaObject* self);
  void* reserved5;
  // 6: returns when the speech has finished; *finished (when given) receives 1.
  long (*WaitSpeechEnd)(struct VoxaObject* self, long* finished);
  void* reserved7;
  void* reserved8;
  // 9: the speech state: 1 while speaking, the speech rate (1 to 5), 1 while following the focus.
  long (*GetSpeechState)(struct VoxaObject* self, long* speaking, long* rate, long* followingFocus);
};

struct VoxaObject {
  const struct VoxaObjectMethods* methods;
};

// A new object with one holder, or null when none can be made.
struct VoxaObject* VOXACreateObject(void);
typedef struct VoxaObject* (*VoxaCreateObjectFn)(void);

}  // extern "C"
