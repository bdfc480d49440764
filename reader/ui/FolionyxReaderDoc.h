// The reader's document: the book lives in the application object, so the document of the
// single-document template holds nothing of its own.
#pragma once

#include "platform/framework/DocView.h"

class CFolionyxReaderDoc : public CDocument
{
    DECLARE_DYNCREATE(CFolionyxReaderDoc)
public:
    CFolionyxReaderDoc();
    ~CFolionyxReaderDoc() override;

    BOOL OnNewDocument() override;
};
