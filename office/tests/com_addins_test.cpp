#include <gtest/gtest.h>

#include <map>

#include "automation/testing/raised_error.h"
#include "office/com_addin.h"
#include "office/com_addins.h"

namespace qv::office {
namespace {

using automation::AutomationError;
using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;
using qv::testing::ErrorNumber;

// The host's Addins key: sub-key -> values.
class FakeRegistrations : public AddinRegistrations {
 public:
  std::map<std::string, std::map<std::string, Variant>> keys;

  std::vector<std::string> ProgIds() const override {
    std::vector<std::string> out;
    for (const auto& [name, values] : keys)
      out.push_back(name);
    return out;
  }
  std::optional<Variant> Value(const std::string& progId, const std::string& name) const override {
    const auto key = keys.find(progId);
    if (key == keys.end()) return std::nullopt;
    const auto value = key->second.find(name);
    if (value == key->second.end()) return std::nullopt;
    return value->second;
  }
  std::string ClassId(const std::string& progId) const override {
    return progId == "KZOWord.Connect" ? "{0000-KZO}" : "";
  }
};

TEST(COMAddIns, ListedFromTheRegistrationKeys) {
  auto regs = std::make_shared<FakeRegistrations>();
  regs->keys["KZOWord.Connect"] = {{"FriendlyName", Variant("Quorvanta Add-Ins")},
                                   {"LoadBehavior", Variant(int32_t{3})},
                                   {"CommandLineSafe", Variant(int32_t{0})}};
  regs->keys["Other.Addin"] = {{"FriendlyName", Variant(int32_t{7})}};  // not text: no description
  auto list = COMAddIns::Create(regs);
  ASSERT_EQ(list->Count(), 2);
  auto kzo = list->Item("kzoword.connect");
  EXPECT_EQ(kzo->ProgId(), "KZOWord.Connect");
  EXPECT_EQ(kzo->Description(), "Quorvanta Add-Ins");
  EXPECT_EQ(kzo->LoadBehavior(), 3);
  EXPECT_EQ(kzo->Guid(), "{0000-KZO}");
  EXPECT_FALSE(kzo->Connect());
  EXPECT_EQ(list->Item("Other.Addin")->Description(), "");

  ObjectRef o = list;
  EXPECT_EQ(Get(o, "Item", {Variant(1)}).ToObject(), kzo);
  EXPECT_EQ(Get(Get(o, "Item", {Variant("Other.Addin")}).ToObject(), "ProgId").ToText(),
            "Other.Addin");
  for (const Variant& missing : {Variant(0), Variant(3), Variant("Nope.Connect")}) {
    EXPECT_EQ(ErrorNumber([&] { Get(o, "Item", {missing}); }), automation::err::kSubscript)
        << missing.ToText();
  }
}

TEST(COMAddIns, UpdateRereadsAndKeepsWhatIsConnected) {
  auto regs = std::make_shared<FakeRegistrations>();
  regs->keys["A.Connect"] = {};
  regs->keys["B.Connect"] = {};
  auto list = COMAddIns::Create(regs, [](COMAddIn&, bool) {});
  auto a = list->Item("A.Connect");
  a->SetConnect(true);
  regs->keys.erase("A.Connect");
  regs->keys.erase("B.Connect");
  regs->keys["C.Connect"] = {{"FriendlyName", Variant("C")}};
  EXPECT_EQ(list->Count(), 2);  // only Update looks again
  list->Update();
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Item(1)->ProgId(), "C.Connect");
  EXPECT_EQ(list->Item(2), a);  // gone from the registry, but still connected
  a->SetConnect(false);
  list->Update();
  EXPECT_EQ(list->Count(), 1);
}

TEST(COMAddIns, ConnectCallsTheApplicationsHook) {
  auto regs = std::make_shared<FakeRegistrations>();
  regs->keys["KZOWord.Connect"] = {{"LoadBehavior", Variant(int32_t{3})}};
  std::vector<std::pair<std::string, bool>> calls;
  bool refuse = false;
  auto list = COMAddIns::Create(regs, [&](COMAddIn& addIn, bool connect) {
    if (refuse) throw AutomationError(429, "ActiveX component can't create object");
    calls.emplace_back(addIn.ProgId(), connect);
  });
  ObjectRef kzo = list->Item(1);
  Put(kzo, "Connect", Variant(true));
  Put(kzo, "Connect", Variant(true));  // unchanged: the hook is not asked again
  EXPECT_TRUE(Get(kzo, "Connect").ToBool());
  Put(kzo, "Connect", Variant(false));
  EXPECT_EQ(calls, (std::vector<std::pair<std::string, bool>>{{"KZOWord.Connect", true},
                                                              {"KZOWord.Connect", false}}));
  // A hook that fails leaves the add-in as it was.
  refuse = true;
  EXPECT_THROW(Put(kzo, "Connect", Variant(true)), AutomationError);
  EXPECT_FALSE(Get(kzo, "Connect").ToBool());

  // The add-in's own object, set by the loader, is what others reach while it is connected.
  refuse = false;
  Put(kzo, "Connect", Variant(true));
  ObjectRef exposed = COMAddIns::Create(nullptr);
  Put(kzo, "Object", Variant(exposed));
  EXPECT_EQ(Get(kzo, "Object").ToObject(), exposed);
  Put(kzo, "Connect", Variant(false));
  EXPECT_EQ(Get(kzo, "Object").ToObject(), nullptr);
}

}  // namespace
}  // namespace qv::office
