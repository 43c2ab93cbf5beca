// A whole dictionary directory packed into one byte string, so that a fuzzer can mutate all nine
// files at once. Layout: for each file in kBundleFiles order, a little-endian uint32 length and
// that many bytes; a bundle cut short leaves the remaining files short or empty.
#pragma once

#include <string>
#include <string_view>

namespace lexiv::fuzz {

// The first-level files name their second-level files inside their headers; in a bundle those
// names are fixed, so that mutations reach the contents instead of producing missing files.
inline constexpr const char* kBundleFiles[9] = {"YOMIGO.DIC", "ANKF.ID1", "ANKR.ID1", "KNJF.ID1", "KNJR.ID1",
                                                 "ANKF.ID2",   "ANKR.ID2", "KNJF.ID2", "KNJR.ID2"};

// Packs the dictionary in dir (trailing "/"), reading the second-level names from the headers.
// Returns false when a file cannot be read.
bool PackDictionary(const std::string& dir, std::string& bundle);

// Writes the bundle's files into dir (trailing "/"), forcing the second-level names.
bool UnpackDictionary(std::string_view bundle, const std::string& dir);

}  // namespace lexiv::fuzz
