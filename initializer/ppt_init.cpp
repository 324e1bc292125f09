#include "initializer/ppt_init.h"

#include "automation/error_trap.h"

namespace qv::initializer {
namespace {

using automation::Call;
using automation::ErrInfo;
using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;

constexpr const char* kAddinFile = "rvuppt.ppa";
// The add-in list names an add-in by its file name without the extension.
constexpr const char* kAddinName = "rvuppt";

// Deletes the first item of `collection` whose `property` is exactly `text`. An item that cannot
// be read is passed over, so one broken bar or control does not keep ours in place.
void DeleteFirst(const ObjectRef& collection, const char* property, const char* text,
                 automation::ErrorsIgnored& ignore) {
  const int32_t n = Get(collection, "Count").ToInt32();
  bool deleted = false;
  for (int32_t i = 1; i <= n && !deleted; ++i) {
    ignore([&] {
      const ObjectRef item = Call(collection, "Item", {Variant(i)}).ToObject();
      if (Get(item, property).ToText() != text) return;
      // Only the first match is tried, whether or not its deletion succeeds.
      deleted = true;
      Call(item, "Delete");
    });
  }
}

}  // namespace

PptInit::PptInit(const Dclrs& args, const automation::ClassFactory& factory)
    : args_(args), factory_(factory) {
  int line = 0;
  automation::Trap(
      [&] {
        line = 10;
        // The host's "\" is the folder separator of that platform; here it is "/".
        addinFolder_ = args_.basePath + "Quorvanta Technologies, Inc./PowerPoint Add-in/";
        addinPath_ = addinFolder_ + kAddinFile;
        line = 20;
        ppt_ = GetPPTInst();
      },
      [&](const ErrInfo& e) {
        ReportErrorAtLine(line, e.description, "PptInit.Class_Initialize");
      });
}

PptInit::~PptInit() {
  automation::ErrorsIgnored ignore;
  if (ppt_ && createdPpt_) ignore([&] { Call(ppt_, "Quit"); });
  ppt_.reset();
}

ObjectRef PptInit::GetPPTInst() {
  int line = 0;
  createdPpt_ = true;
  ObjectRef app;
  automation::Trap(
      [&] {
        line = 10;
        app = factory_.Create("PowerPoint.Application");
        line = 20;
        // A program without an open presentation is nobody's work: it is quit at release.
        if (Get(Get(app, "Presentations").ToObject(), "Count").ToInt32() >= 1) createdPpt_ = false;
      },
      [&](const ErrInfo& e) { ReportErrorAtLine(line, e.description, "PptInit.GetPPTInst"); });
  return app;
}

bool PptInit::LoadAddin() {
  int line = 0;
  return automation::TrapValue(
      [&] {
        line = 10;
        ObjectRef entry =
            Call(Get(ppt_, "AddIns").ToObject(), "Add", {Variant(addinPath_)}).ToObject();
        line = 20;
        Put(entry, "AutoLoad", Variant(true));
        Put(entry, "Loaded", Variant(true));
        Put(entry, "Registered", Variant(true));
        line = 30;
        entry.reset();
        return true;
      },
      [&](const ErrInfo& e) { ReportErrorAtLine(line, e.description, "PptInit.LoadAddin"); },
      false);
}

void PptInit::UnloadAddin() {
  automation::ErrorsIgnored ignore;
  ignore([&] {
    ObjectRef entry =
        Call(Get(ppt_, "AddIns").ToObject(), "Item", {Variant(kAddinName)}).ToObject();
    ignore([&] { Put(entry, "Loaded", Variant(false)); });
    ignore([&] { Put(entry, "AutoLoad", Variant(false)); });
    ignore([&] { Put(entry, "Registered", Variant(false)); });
  });
  if (!args_.uninstall) return;
  ignore([&] { DeleteFirst(Get(ppt_, "CommandBars").ToObject(), "Name", "Quorvanta", ignore); });
  ignore([&] {
    const ObjectRef menuBar =
        Call(Get(ppt_, "CommandBars").ToObject(), "Item", {Variant("Menu Bar")}).ToObject();
    const ObjectRef tools =
        Call(Get(menuBar, "Controls").ToObject(), "Item", {Variant("Tools")}).ToObject();
    DeleteFirst(Get(tools, "Controls").ToObject(), "Caption", "&Quorvanta", ignore);
  });
}

}  // namespace qv::initializer
