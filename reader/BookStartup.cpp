#include "reader/BookStartup.h"
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
