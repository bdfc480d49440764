#include "reader/BookStartup.h"
#include "platform/framework/WinApp.h"
#include "reader/AppFolders.h"
#include "reader/LanguageChoice.h"
#include "reader/LanguageModule.h"

BOOL LoadBookFromModule(HMODULE module, CExeBookDocument& settings, CExeBookResourceFiles& index)
{
    BOOL read = FALSE;
    if (LoadXMLFromResource(module, settings))
        read = settings.ReadDocument();
    settings.AssignButtonCommandIds();
    ReadResourceFiles(settings, index);
    return read;
}

HMODULE LoadLanguageModuleFrom(HMODULE module)
{
    return ExtractLanguageModule(module, ChooseLanguage(), GetWorkFolder());
}

void LoadLanguageModule(CWinApp* app)
{
    HMODULE module = LoadLanguageModuleFrom(app->m_hInstance);
    if (module != nullptr)
        AfxSetResourceHandle(module);
}
