#include "reader/book/BookFiles.h"
#include "reader/app/FolionyxReaderApp.h"

namespace {

BOOL GetBookOf(const PackedFilesSource& source, EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index)
{
    index = nullptr;
    if (!source)
        return GetRunningBook(resource, index);
    return source(resource, index) && index != nullptr;
}

} // namespace

BOOL GetRunningBook(EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index)
{
    index = nullptr;
    CFolionyxReaderApp* app = dynamic_cast<CFolionyxReaderApp*>(AfxGetApp());
    if (app == nullptr || !LoadPackedFileResource(::GetModuleHandleW(nullptr), resource))
        return FALSE;
    index = &app->m_ExeBookResourceFiles;
    return TRUE;
}

PackedFilesSource FixedPackedFilesSource(const EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles& index)
{
    const CExeBookResourceFiles* files = &index;
    return [resource, files](EXEBOOKPACKEDDATA& found, const CExeBookResourceFiles*& foundIndex) {
        found = resource;
        foundIndex = files;
        return TRUE;
    };
}

int ExtractFileById(int id, LPCWSTR path, const PackedFilesSource& source)
{
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index;
    if (!GetBookOf(source, resource, index))
        return 0;
    return ExtractFileById(id, resource, *index, path);
}

BOOL ExtractPage(const CExeBookFileEntries& request, LPCWSTR folder, CString& pagePath,
                 const PackedFilesSource& source)
{
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index;
    if (!GetBookOf(source, resource, index))
        return FALSE;
    return ExtractPage(*index, resource, request, folder, pagePath);
}

BOOL SearchPackedFiles(LPCWSTR text, CExeBookResourceFiles& hits, const PackedFilesSource& source)
{
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index;
    if (!GetBookOf(source, resource, index))
        return FALSE;
    return SearchFiles(*index, resource, text, hits);
}
