#include "reader/app/BookStartup.h"
#include "platform/framework/WinApp.h"
#include "reader/app/AppFolders.h"
#include "reader/app/LanguageChoice.h"
#include "reader/app/LanguageModule.h"

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
