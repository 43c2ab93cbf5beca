// The about box's animation: eleven pictures of a page being turned, the program's bitmap
// resources 140 to 150, in the order the animation shows them.
#pragma once

#include "platform/win_types.h"

namespace lexiv {

inline constexpr int kAboutPictureCount = 11;
extern const platform::UINT kAboutPictureIds[kAboutPictureCount];

// Puts the pictures into the program's bitmap table (done once at start).
void RegisterAboutPictures();

}  // namespace lexiv
