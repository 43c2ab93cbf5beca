// The local atom table of this process: AddAtomA, FindAtomA, DeleteAtomA, GetAtomNameA, with the
// Windows rules. A string atom is a number from 0xC000 to 0xFFFF; its name (at most 255 bytes of
// Shift-JIS) compares without case (ASCII letters, never a double-byte character's trail byte),
// and each AddAtomA of it counts one reference that DeleteAtomA gives back. An integer atom is
// written "#123" (decimal, 1 to 0xBFFF) or passed as MAKEINTATOM(123); it is its own number,
// needs no table entry and has no count. Other processes never see these atoms.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

namespace lexiv::platform {

using ATOM = WORD;

// A name pointer that carries an integer atom, as MAKEINTATOM makes it.
inline const char* MAKEINTATOM(WORD atom) { return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(atom)); }

// The atom (its count raised when the name is there already); 0 with GetLastError
// ERROR_INVALID_PARAMETER for an empty or over-long name or an integer out of range, or
// ERROR_NOT_ENOUGH_MEMORY when the table is full.
ATOM AddAtomA(const char* name);
// The atom of name, 0 with ERROR_FILE_NOT_FOUND when there is none; counts do not change.
ATOM FindAtomA(const char* name);
// Gives back one reference; the atom goes with the last. 0 on success, the atom itself when it
// is not in the table (as Windows returns it).
ATOM DeleteAtomA(ATOM atom);
// Copies the name ("#123" for an integer atom) cut to size - 1 bytes on a character boundary;
// returns the bytes copied, 0 for an atom that does not exist.
UINT GetAtomNameA(ATOM atom, char* buffer, int size);

}  // namespace lexiv::platform
