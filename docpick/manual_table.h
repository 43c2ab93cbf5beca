// Which products have manuals, and where they are: the products of the maker that record a
// manual directory in the registry, in a fixed order, and always the general manual directory
// last ("その他のマニュアル"). The viewer's product list shows these rows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexiv::docpick {

struct ProductManuals {
  std::string displayName;  // program text
  std::string directory;    // as the registry gives it
};

// The products whose manual directory value is not empty, in the table's order, then
// "その他のマニュアル" with generalManualDirectory (even when that is empty).
std::vector<ProductManuals> ReadProductManuals(const std::string& generalManualDirectory);

// "Manual" of the shared directories key; without it, its "ProductDir" with "マニュアル" added.
std::string ReadGeneralManualDirectory();
// The editor's program: "ProductDir" of the editor's directories key with "penra.exe" added.
std::string ReadEditorPath();

// directory and name with one separator between them ('/' added unless directory ends in '/' or
// is empty).
std::string JoinPath(std::string_view directory, std::string_view name);

}  // namespace lexiv::docpick
