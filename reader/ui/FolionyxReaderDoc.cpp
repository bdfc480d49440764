#include "reader/ui/FolionyxReaderDoc.h"

IMPLEMENT_DYNCREATE(CFolionyxReaderDoc, CDocument)

CFolionyxReaderDoc::CFolionyxReaderDoc() = default;

CFolionyxReaderDoc::~CFolionyxReaderDoc() = default;

BOOL CFolionyxReaderDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}
