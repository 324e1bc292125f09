#include "office/com_addins.h"

#include <algorithm>

#include "automation/collection_index.h"
#include "automation/text/ascii.h"
#include "office/com_addin.h"
#include "office/name_match.h"

namespace qv::office {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

namespace {

// A registration value as text; values of the wrong kind count as missing, as the host's loader
// ignores them.
std::string TextValue(const AddinRegistrations& regs, const std::string& progId,
                      const std::string& name) {
  const auto value = regs.Value(progId, name);
  return value && value->IsText() ? value->ToText() : std::string();
}

int32_t NumberValue(const AddinRegistrations& regs, const std::string& progId,
                    const std::string& name) {
  const auto value = regs.Value(progId, name);
  if (!value || value->IsText() || value->IsObject() || value->IsArray() || value->IsEmpty())
    return 0;
  return value->ToInt32();
}

}  // namespace

std::shared_ptr<COMAddIns> COMAddIns::Create(
    std::shared_ptr<const AddinRegistrations> registrations, ConnectHook hook) {
  auto list = std::make_shared<COMAddIns>(std::move(registrations), std::move(hook));
  list->Update();
  return list;
}

COMAddIns::COMAddIns(std::shared_ptr<const AddinRegistrations> registrations, ConnectHook hook)
    : registrations_(std::move(registrations)), hook_(std::move(hook)) {}

const DispatchTable& COMAddIns::Members() const {
  using L = COMAddIns;
  static const DispatchTable table = ClassTable<L>("COMAddIns")
                                         .Collection()
                                         .Sub("Update", [](L& l, Args&) { l.Update(); })
                                         .Build();
  return table;
}

int32_t COMAddIns::Count() const {
  return static_cast<int32_t>(addIns_.size());
}

std::shared_ptr<COMAddIn> COMAddIns::Item(int32_t index) const {
  return addIns_[automation::CollectionPosition(index, addIns_.size(),
                                                automation::err::kSubscript)];
}

std::shared_ptr<COMAddIn> COMAddIns::Item(const std::string& progId) const {
  for (const auto& addIn : addIns_) {
    if (text::EqualsIgnoreCase(addIn->progId_, progId)) return addIn;
  }
  automation::Raise(automation::err::kSubscript);
}

void COMAddIns::Update() {
  std::vector<std::string> progIds =
      registrations_ ? registrations_->ProgIds() : std::vector<std::string>{};
  std::vector<std::shared_ptr<COMAddIn>> next;
  for (const auto& progId : progIds) {
    const bool seen = std::any_of(next.begin(), next.end(), [&](const auto& a) {
      return text::EqualsIgnoreCase(a->progId_, progId);
    });
    if (seen || progId.empty()) continue;
    std::shared_ptr<COMAddIn> addIn;
    for (const auto& old : addIns_) {
      if (text::EqualsIgnoreCase(old->progId_, progId)) addIn = old;
    }
    if (!addIn)
      addIn = std::make_shared<COMAddIn>(std::static_pointer_cast<COMAddIns>(shared_from_this()),
                                         progId);
    addIn->description_ = TextValue(*registrations_, progId, "FriendlyName");
    addIn->loadBehavior_ = NumberValue(*registrations_, progId, "LoadBehavior");
    addIn->guid_ = registrations_->ClassId(progId);
    next.push_back(std::move(addIn));
  }
  // An add-in whose registration went away while it is connected stays listed, so that it can
  // still be disconnected.
  for (const auto& old : addIns_) {
    if (old->connected_ && std::find(next.begin(), next.end(), old) == next.end())
      next.push_back(old);
  }
  addIns_ = std::move(next);
}

void COMAddIns::SetConnect(COMAddIn& addIn, bool connect) {
  if (addIn.connected_ == connect) return;
  if (hook_) hook_(addIn, connect);
  addIn.connected_ = connect;
  // A disconnected add-in is unloaded: what it exposed goes with it (and so does any reference
  // back to the host that it held).
  if (!connect) addIn.object_.reset();
}

}  // namespace qv::office
