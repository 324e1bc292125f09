#pragma once
// The COM add-ins a host program knows: one entry per registration key of the host
// ("SOFTWARE\Microsoft\Office\<host>\Addins\<ProgId>" under HKEY_CURRENT_USER), counted from 1.
// The list is read when made and again by Update. Connecting or disconnecting an entry asks the
// owning application (its connection hook) to load or unload the add-in.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "automation/variant.h"

namespace qv::office {

class COMAddIn;

// Reads the host's add-in registration keys: the names of the sub-keys of its "Addins" key and
// the values of one of them. The application supplies it over its registry.
class AddinRegistrations {
 public:
  virtual ~AddinRegistrations() = default;
  virtual std::vector<std::string> ProgIds() const = 0;
  // The value `name` of the key of `progId`; nullopt when it is missing.
  virtual std::optional<automation::Variant> Value(const std::string& progId,
                                                   const std::string& name) const = 0;
  // The class identifier registered for `progId` ("" when unknown).
  virtual std::string ClassId(const std::string& /*progId*/) const { return ""; }
};

// Called when an entry's Connect changes: `connect` true to load and connect the add-in, false to
// disconnect it. An AutomationError it raises reaches the caller of Connect and leaves the entry's
// state as it was.
using ConnectHook = std::function<void(COMAddIn& addIn, bool connect)>;

class COMAddIns : public automation::Dispatch {
 public:
  // Makes the list and reads the registrations (Update).
  static std::shared_ptr<COMAddIns> Create(std::shared_ptr<const AddinRegistrations> registrations,
                                           ConnectHook hook = nullptr);
  COMAddIns(std::shared_ptr<const AddinRegistrations> registrations, ConnectHook hook);

  const automation::DispatchTable& Members() const override;

  int32_t Count() const;
  // By position from 1, or by ProgId without regard to case; raises 9 "Subscript out of range"
  // when there is no such entry.
  std::shared_ptr<COMAddIn> Item(int32_t index) const;
  std::shared_ptr<COMAddIn> Item(const std::string& progId) const;
  // Reads the registration keys again. Entries still registered keep their objects and their
  // Connect state; new ones are added (not connected); entries no longer registered are dropped
  // unless connected.
  void Update();
  std::vector<std::shared_ptr<COMAddIn>> All() const { return addIns_; }

 private:
  friend class COMAddIn;
  void SetConnect(COMAddIn& addIn, bool connect);

  std::shared_ptr<const AddinRegistrations> registrations_;
  ConnectHook hook_;
  std::vector<std::shared_ptr<COMAddIn>> addIns_;
};

}  // namespace qv::office
