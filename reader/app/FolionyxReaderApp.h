// The reader's application object: a single-document application whose frame, document and
// view come from the document template of resource IDR_MAINFRAME.
#pragma once

#include "platform/framework/WinApp.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/book/ExeBookResourceFiles.h"

class CFolionyxReaderApp : public CWinApp
{
public:
    CFolionyxReaderApp();

    // Runs the toolkit's start-up routine, which must come before InitInstance.
    BOOL InitApplication() override;
    BOOL InitInstance() override;

    // FALSE when the book's settings were missing or did not parse (the defaults are in force).
    BOOL m_bSettingsRead = FALSE;

    // The book's settings and the index of its packed files, read from the
    // executable's own resources at start-up and kept for the life of the process.
    CExeBookDocument m_ExeBookDocument;
    CExeBookResourceFiles m_ExeBookResourceFiles;

protected:
    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};
