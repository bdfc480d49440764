// The start-up steps that make the executable a book: its settings and its
// packed-file index come from its own resources, and its user interface from
// the language module that fits the user.
#pragma once
#include <windows.h>
#include "reader/book/ExeBookDocument.h"
#include "reader/book/ExeBookResourceFiles.h"

class CWinApp;

// Loads the settings resource of `module` into `settings` and reads it (the
// defaults stay when the resource is missing or does not parse), gives the
// button records their command ids, and reads the packed-file index (empty when
// the settings have no ResourceFiles element). TRUE when the settings were read.
BOOL LoadBookFromModule(HMODULE module, CExeBookDocument& settings, CExeBookResourceFiles& index);

// Extracts the language module that fits the user from `module` into the work
// folder and loads it; null when there is none for the language or it cannot be
// written or loaded. The module is never freed and its file never deleted.
HMODULE LoadLanguageModuleFrom(HMODULE module);

// Loads the language module from the application's own instance and makes it the
// framework's resource module, so that every later menu, dialog and string comes
// from it. Without one the executable's own resources stay in use.
void LoadLanguageModule(CWinApp* app);
