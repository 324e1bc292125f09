#pragma once
// One COM add-in of a host program: its ProgId, description (the registration's FriendlyName),
// class identifier, whether it is connected, and the object the add-in exposes to others.

#include <cstdint>
#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::office {

class COMAddIns;

class COMAddIn : public automation::Dispatch {
 public:
  COMAddIn(std::weak_ptr<COMAddIns> list, std::string progId);

  const automation::DispatchTable& Members() const override;

  const std::string& ProgId() const { return progId_; }
  const std::string& Description() const { return description_; }
  void SetDescription(std::string value) { description_ = std::move(value); }
  const std::string& Guid() const { return guid_; }
  // The LoadBehavior of the registration (0 when missing).
  int32_t LoadBehavior() const { return loadBehavior_; }
  bool Connect() const { return connected_; }
  // Asks the application to connect or disconnect the add-in (nothing when unchanged).
  void SetConnect(bool value);
  // The object the connected add-in exposes; released when it is disconnected.
  automation::ObjectRef Object() const { return object_; }
  void SetObject(automation::ObjectRef value) { object_ = std::move(value); }

 private:
  friend class COMAddIns;

  std::weak_ptr<COMAddIns> list_;
  std::string progId_;
  std::string description_;
  std::string guid_;
  int32_t loadBehavior_ = 0;
  bool connected_ = false;
  automation::ObjectRef object_;
};

}  // namespace qv::office
