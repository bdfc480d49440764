// The running book's packed files: the resource "EBOOKFILEDATA" of the executable's own
// module (never the language module) with the application's index. Each operation returns
// 0 when the resource cannot be found, loaded or locked, or there is no reader application;
// the resource size bounds every read.
#pragma once
#include <windows.h>
#include <functional>
#include "platform/framework/Strings.h"
#include "reader/book/ExeBookResourceFiles.h"

// Where the packed files come from: answers the locked resource and the index, FALSE when there
// are none. An empty source stands for the running book; a frame hosted by a test names its own.
typedef std::function<BOOL(EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index)> PackedFilesSource;

// A source that answers packed files already found, for work on another thread.
PackedFilesSource FixedPackedFilesSource(const EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles& index);

// -1 when the id is not in the index; 1 when the file was written; else 0.
int ExtractFileById(int id, LPCWSTR path, const PackedFilesSource& source = PackedFilesSource());
// Writes a page and its companion files into `folder`; `pagePath` receives the page's path.
BOOL ExtractPage(const CExeBookFileEntries& request, LPCWSTR folder, CString& pagePath,
                 const PackedFilesSource& source = PackedFilesSource());
// Appends every index entry whose file is UTF-16 text that contains `text` (any case).
BOOL SearchPackedFiles(LPCWSTR text, CExeBookResourceFiles& hits, const PackedFilesSource& source = PackedFilesSource());

// The locked resource and the application's index; FALSE when either is missing.
BOOL GetRunningBook(EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index);
