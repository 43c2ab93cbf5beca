#include "manuals/manual_picture.h"

#include "manuals/manual_list_dialog.h"
#include "platform/core/bitmap_table.h"

namespace lexiv::manuals {

access::ItemBitmap RegisterManualPicture() {
  // An open book: two pages and the spine between them.
  platform::Picture book;
  book.rows = {
      ".##..##.",
      "#..##..#",
      "#..##..#",
      ".##..##.",
  };
  const access::ItemBitmap bitmap{kManualPictureId, book.width(), book.height()};
  platform::SetBitmap(kManualPictureId, std::move(book));
  return bitmap;
}

}  // namespace lexiv::manuals
