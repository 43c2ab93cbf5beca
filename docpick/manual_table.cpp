#include "docpick/manual_table.h"

#include "docpick/registry_value.h"

namespace lexiv::docpick {

namespace {

const std::string kKeyRoot = "Software\\TKV\\";

// A product whose display name changes with another value: alternateName when that value is
// present and not 0.
struct ProductRow {
  const char* displayName;
  const char* key;
  const char* value;
  const char* switchKey = nullptr;
  const char* switchValue = nullptr;
  const char* alternateName = nullptr;
};

const ProductRow kProductManualTable[] = {
    {"Voxaread", "Voxaread\\Directories", "manual", "Voxaread\\Default", "model", "HELMA300"},
    {"BRIX", "BRIX\\Directories", "manual"},
    {"BRIX", "BRIX\\Directories", "manual6"},
    {"BRIX8", "BRIX\\Directories", "manual8"},
    {"TARVEN5", "TARVEN5\\Directories", "manual"},
    {"TARVEN Ⅲ", "TARVEN3\\Directories", "manual"},
    {"OSKEL5", "OSKEL5\\Directories", "manual"},
    {"OSKEL", "OSKEL\\Directories", "manual"},
    {"PIRLO", "PIRLO\\Directories", "manual"},
    {"ルミカ", "zem\\Directories", "manual", "Zem\\Default", "ProductType", "NORVA"},
    {"国語辞典", "LEXIV\\Directories", "manual"},
    {"英和・和英辞典", "Umbravo\\Directories", "manual"},
    {"PENRA Ⅱ", "PENRA\\Directories", "manual"},
    {"KANTRO", "KANTRO\\Directories", "manual"},
    {"アクセサリ", "RYXMENU\\Directories", "manual"},
    {"拡張辞書", "RyxDic\\Directories", "manual"},
};

const char kOtherManuals[] = "その他のマニュアル";
const char kSharedDirectoriesKey[] = "System Global\\Directories";
const char kEditorDirectoriesKey[] = "Penra\\Directories";

// A value read with its NUL kept (written so by some installers) loses it.
std::string WithoutTrailingNul(std::string value) {
  if (!value.empty() && value.back() == '\0') value.pop_back();
  return value;
}

std::string Query(const char* key, const char* value) { return WithoutTrailingNul(QueryValue(kKeyRoot + key, value)); }

bool SwitchedOn(const std::string& value) { return !value.empty() && value != "0"; }

}  // namespace

std::vector<ProductManuals> ReadProductManuals(const std::string& generalManualDirectory) {
  std::vector<ProductManuals> rows;
  for (const ProductRow& row : kProductManualTable) {
    std::string directory = Query(row.key, row.value);
    if (directory.empty()) continue;
    const bool alternate = row.switchKey != nullptr && SwitchedOn(Query(row.switchKey, row.switchValue));
    rows.push_back({alternate ? row.alternateName : row.displayName, std::move(directory)});
  }
  rows.push_back({kOtherManuals, generalManualDirectory});
  return rows;
}

std::string ReadGeneralManualDirectory() {
  const std::string manual = Query(kSharedDirectoriesKey, "Manual");
  if (!manual.empty()) return manual;
  const std::string productDir = Query(kSharedDirectoriesKey, "ProductDir");
  return productDir.empty() ? std::string() : JoinPath(productDir, "マニュアル");
}

std::string ReadEditorPath() { return JoinPath(Query(kEditorDirectoriesKey, "ProductDir"), "penra.exe"); }

std::string JoinPath(std::string_view directory, std::string_view name) {
  std::string path(directory);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

}  // namespace lexiv::docpick
