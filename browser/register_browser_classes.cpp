#include "browser/register_browser_classes.h"

#include "browser/windows/browser_desktop.h"
#include "browser/windows/browser_window.h"
#include "browser/windows/shell_application.h"

namespace qv::browser {

void RegisterBrowserClasses(automation::ClassFactory& factory,
                            const std::shared_ptr<BrowserDesktop>& desktop) {
  std::weak_ptr<BrowserDesktop> weak = desktop;
  factory.Register("InternetExplorer.Application", [weak]() -> automation::ObjectRef {
    auto d = weak.lock();
    if (!d) automation::Raise(automation::err::kCannotCreate);
    return d->NewWindow();
  });
  factory.Register("Shell.Application", [weak]() -> automation::ObjectRef {
    return std::make_shared<ShellApplication>(weak);
  });
}

void RegisterBrowserClasses(automation::ClassFactory& factory) {
  RegisterBrowserClasses(factory, BrowserDesktop::Shared());
}

void RegisterBrowserProgram(platform::ShellPrograms& programs,
                            const std::shared_ptr<BrowserDesktop>& desktop) {
  std::weak_ptr<BrowserDesktop> weak = desktop;
  programs.Register("iexplore.exe", [weak](const platform::ShellRequest& request) -> int32_t {
    auto d = weak.lock();
    if (!d) return platform::shell::kOutOfResources;
    auto window = d->NewWindow();
    window->Visible(request.showCommand != platform::shell::kHide);
    const std::string address = platform::CommandLineArgument(request.parameters);
    window->Navigate(address.empty() ? "about:blank" : address);
    return platform::shell::kSuccess;
  });
}

void RegisterBrowserProgram(platform::ShellPrograms& programs) {
  RegisterBrowserProgram(programs, BrowserDesktop::Shared());
}

}  // namespace qv::browser
