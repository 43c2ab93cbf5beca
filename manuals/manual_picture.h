// The small picture of a book shown before each manual's name in the list (bitmap 954).
#pragma once

#include "access/base_dialog.h"

namespace lexiv::manuals {

// Puts the picture into the program's bitmap table (again is harmless) and gives its size.
access::ItemBitmap RegisterManualPicture();

}  // namespace lexiv::manuals
