// Reads a book source: a description file (UTF-8 text) and the files it names,
// relative to the description's folder.
//
//   # comment
//   [Settings]
//   ExeBook.Name = A title            Element.Attribute = value, for every setting
//   AuthorHTML = <b>text</b>          element text
//   Advanced.Password = secret        clear text, sealed when the book is packed
//   Tool = Display name | file name   one line per tool
//   [Contents]
//   Title | page=home.htm | files=home_files/a.png, home_files/b.gif | attachments=card.txt | image=0 | home | url=...
//     Child title | page=child.htm    two more spaces of indentation per level
//
// Pages are stored as UTF-16LE with a byte-order mark (their source is UTF-8);
// companion files and attachments as they are. A file named twice is packed once.
#pragma once
#include "books/packer/BookPacker.h"
#include <string>

namespace bookpacker {

// Fills the packer from a description file; FALSE with a message on any error.
bool LoadBookDescription(const std::wstring& path, CBookPacker& packer, std::wstring& error);

// Whole-file helpers of the packer.
bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& bytes);
bool WriteWholeFile(const std::wstring& path, const std::vector<BYTE>& bytes);

} // namespace bookpacker
