// Profile strings: the program's own INI files (LEXIV.INI), read and written with the rules of the
// Windows profile functions that the program was written against.
//
// Files are Shift-JIS on disk and are read afresh on every call. Section and key names compare
// case-insensitively (ASCII letters only; double-byte characters exactly), and surrounding blanks
// are ignored on both sides, so a key asked for as "SearchKey    " finds the line "SearchKey=F11".
// Values are trimmed of surrounding blanks and of one pair of matching surrounding quotes. The
// first matching section and the first matching key in it win. Lines that are neither a section
// header nor key=value are ignored when reading and kept when writing.
//
// The file name is program text (Shift-JIS) and is converted to the file system's spelling.
// Listing section or key names (a null section or key when reading) is not offered: such a call
// copies the default.
#pragma once

#include <cstdint>

namespace lexiv::platform {

// Copies the value, or the default (trailing blanks removed; null means empty) when the file,
// section or key is missing, into buffer, cut so that it fits with its NUL and does not end
// inside a double-byte character. Returns the bytes copied, without the NUL; 0 when bufferSize
// is 0 (nothing is written then).
std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                                       char* buffer, std::uint32_t bufferSize, const char* fileName);

// The value read as a decimal integer (leading sign allowed; reading stops at the first
// non-digit, and a value without digits is 0), or defaultValue when the key is missing.
std::uint32_t GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                                    const char* fileName);

// Sets key=value in the section, adding the section and the key when missing; a null value
// deletes the key, a null key deletes the whole section. Everything else in the file is kept as
// it was, and the file is replaced atomically. Returns false when section is null, when the file
// exists but cannot be read, or when it cannot be written.
bool WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* fileName);

}  // namespace lexiv::platform
