// The running book's packed files: the resource "EBOOKFILEDATA" of the executable's own
// module (never the language module) with the application's index. Each operation returns
// 0 when the resource cannot be found, loaded or locked, or there is no reader application;
// the resource size bounds every read.
#pragma once
#include <windows.h>
#include "platform/framework/Strings.h"
#include "reader/book/ExeBookResourceFiles.h"

// -1 when the id is not in the index; 1 when the file was written; else 0.
int ExtractFileById(int id, LPCWSTR path);
// Writes a page and its companion files into `folder`; `pagePath` receives the page's path.
BOOL ExtractPage(const CExeBookFileEntries& request, LPCWSTR folder, CString& pagePath);
// Appends every index entry whose file is UTF-16 text that contains `text` (any case).
BOOL SearchPackedFiles(LPCWSTR text, CExeBookResourceFiles& hits);

// The locked resource and the application's index; FALSE when either is missing.
BOOL GetRunningBook(EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index);
