// The language module: a resource-only library with the reader's menus, dialogs
// and strings in one language, carried in the executable as resource type
// "LANGUAGES" named by the decimal language id.
#pragma once
#include <windows.h>
#include "platform/framework/Strings.h"

// Writes the language resource of `source` for `language` to a new file in
// `folder` (named from the tick count) and loads it. Null when the resource is
// missing or the file cannot be written or loaded.
HMODULE ExtractLanguageModule(HMODULE source, LANGID language, const CString& folder);
