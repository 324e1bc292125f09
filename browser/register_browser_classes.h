#pragma once
// Makes the browser's automation objects and its program known to the running program:
// "InternetExplorer.Application" (a new stand-alone window) and "Shell.Application" (the list of
// open windows) in a class factory, and the browser program "iexplore.exe" in the shell's
// program table (the shell's open verb then shows the address in a new stand-alone window).

#include <memory>

#include "automation/class_factory.h"
#include "platform/shell/shell_execute.h"

namespace qv::browser {

class BrowserDesktop;

void RegisterBrowserClasses(automation::ClassFactory& factory,
                            const std::shared_ptr<BrowserDesktop>& desktop);
// The same on the process's desktop (BrowserDesktop::Shared).
void RegisterBrowserClasses(automation::ClassFactory& factory);

void RegisterBrowserProgram(platform::ShellPrograms& programs,
                            const std::shared_ptr<BrowserDesktop>& desktop);
void RegisterBrowserProgram(platform::ShellPrograms& programs);

}  // namespace qv::browser
