// The application object of FolionyxReader.exe; the framework's entry point runs it.
#include <windows.h>
#include <ole2.h>

#include "reader/app/FolionyxReaderApp.h"

namespace {

// OLE and COM are initialised once for the process before any object of the program is
// built (the lowest initialisation priority runs first, across all files).
struct ProcessComInitialisation
{
    ProcessComInitialisation()
    {
        ::OleInitialize(nullptr);
        ::CoInitialize(nullptr);
    }
};

ProcessComInitialisation processComInitialisation __attribute__((init_priority(101)));

} // namespace

// Built right after that and before the other objects of the program, so that it is
// destroyed after them at exit.
CFolionyxReaderApp theApp __attribute__((init_priority(102)));
