#pragma once
// What an automation script gets besides CreateObject: the driver that plays the user (message
// box answers, form handlers, the transcript), the settings, the local course host, and showing
// documents. Each is a dispatch object defined as a global of the script.

#include "automation/class_factory.h"
#include "automation/script/script_host.h"
#include "tools/lib/script/script_driver.h"

namespace qv::tools {

// Defines Driver, Settings, StartCourseHost, ShowDocument and ReadFile, and registers the
// platform's classes ("Word.Application", "PowerPoint.Application", "InternetExplorer.Application",
// "Shell.Application") and the registered add-in classes with `factory`. `startMode` is how the
// word processor counts as started (1 user, 2 embedding, 3 automation). Returns the Driver.
std::shared_ptr<ScriptDriver> InstallPlatformObjects(automation::ScriptHost& host,
                                                     automation::ClassFactory& factory,
                                                     int startMode);

}  // namespace qv::tools
