// The document of the single-document template: the program shows one dictionary and keeps no
// data of its own in a document, so it holds nothing. It exists with the main window.
#pragma once

namespace lexiv {

class CYOMIGODoc {
 public:
  // The template's document string: title, file-type names and the document's name.
  static constexpr const char* kDocumentString = "国語辞典\n\n語釈\n\n\nYOMIGODIC\n語釈ドキュメント";
};

}  // namespace lexiv
