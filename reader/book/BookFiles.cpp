#include "reader/book/BookFiles.h"
#include "reader/app/FolionyxReaderApp.h"

BOOL GetRunningBook(EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index)
{
    index = nullptr;
    CFolionyxReaderApp* app = dynamic_cast<CFolionyxReaderApp*>(AfxGetApp());
    if (app == nullptr || !LoadPackedFileResource(::GetModuleHandleW(nullptr), resource))
        return FALSE;
    index = &app->m_ExeBookResourceFiles;
    return TRUE;
}

int ExtractFileById(int id, LPCWSTR path)
{
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index;
    if (!GetRunningBook(resource, index))
        return 0;
    return ExtractFileById(id, resource, *index, path);
}

BOOL ExtractPage(const CExeBookFileEntries& request, LPCWSTR folder, CString& pagePath)
{
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index;
    if (!GetRunningBook(resource, index))
        return FALSE;
    return ExtractPage(*index, resource, request, folder, pagePath);
}

BOOL SearchPackedFiles(LPCWSTR text, CExeBookResourceFiles& hits)
{
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index;
    if (!GetRunningBook(resource, index))
        return FALSE;
    return SearchFiles(*index, resource, text, hits);
}
