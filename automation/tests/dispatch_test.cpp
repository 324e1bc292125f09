#include <gtest/gtest.h>

#include "automation/class_factory.h"
#include "automation/collection_index.h"
#include "automation/dispatch.h"
#include "automation/error_trap.h"
#include "automation/testing/raised_error.h"

namespace qv::automation {
namespace {

using qv::testing::ErrorNumber;

class Counter : public Dispatch {
 public:
  int value = 0;
  const DispatchTable& Members() const override {
    static const DispatchTable table =
        ClassTable<Counter>("Counter")
            .Prop(
                "Value", [](Counter& c) { return c.value; },
                [](Counter& c, const Variant& v) { c.value = v.ToInt32(); })
            .Method("Add", [](Counter& c, Args& a) { return c.value += a.Int(0); })
            .Sub("Cancel", [](Counter&, Args& a) { a[0] = Variant(true); })
            .GetArgs("Item", [](Counter& c, Args& a) { return c.value * a.Int(0); })
            .Default("Item")
            .Build();
    return table;
  }
};

TEST(Dispatch, MembersAreFoundWithoutRegardToCase) {
  auto c = std::make_shared<Counter>();
  ObjectRef o = c;
  Put(o, "value", Variant(5));
  EXPECT_EQ(Get(o, "VALUE").ToInt32(), 5);
  EXPECT_EQ(Call(o, "add", {Variant(2)}).ToInt32(), 7);
  EXPECT_EQ(Get(o, "Item", {Variant(3)}).ToInt32(), 21);
  EXPECT_EQ(c->Members().DefaultMember(), "Item");
  EXPECT_EQ(Variant(o).TypeName(), "Counter");
}

TEST(Dispatch, ByReferenceArgumentsAreWrittenBack) {
  auto c = std::make_shared<Counter>();
  std::vector<Variant> args{Variant(false)};
  Invoke(*c, "Cancel", CallKind::Method, args);
  EXPECT_TRUE(args[0].ToBool());
}

TEST(Dispatch, UnknownMembersMissingArgumentsAndReadOnlyWritesRaise) {
  ObjectRef o = std::make_shared<Counter>();
  EXPECT_EQ(ErrorNumber([&] { Get(o, "Nope"); }), err::kNoSuchMember);
  EXPECT_EQ(ErrorNumber([&] { Call(o, "Add"); }), err::kWrongArgCount);
  EXPECT_EQ(ErrorNumber([&] { Put(o, "Item", Variant(1)); }), err::kWrongArgCount);
  EXPECT_EQ(ErrorNumber([&] { Get(nullptr, "Value"); }), err::kObjectNotSet);
}

// Collections whose Item takes a number, a number or a name, or a number that may be left out.
class Numbered : public Dispatch {
 public:
  int32_t Count() const { return 3; }
  int32_t Item(int32_t index) const { return index * 10; }
  const DispatchTable& Members() const override {
    static const DispatchTable table = ClassTable<Numbered>("Numbered").Collection().Build();
    return table;
  }
};

class Named : public Dispatch {
 public:
  int32_t Count() const { return 2; }
  std::string Item(int32_t index) const { return "#" + std::to_string(index); }
  std::string Item(const std::string& name) const { return "name " + name; }
  const DispatchTable& Members() const override {
    static const DispatchTable table = ClassTable<Named>("Named").Collection().Build();
    return table;
  }
};

class FirstByDefault : public Dispatch {
 public:
  int32_t Count() const { return 1; }
  int32_t Item(int32_t index = 0) const { return index + 100; }
  const DispatchTable& Members() const override {
    static const DispatchTable table =
        ClassTable<FirstByDefault>("FirstByDefault").Collection().Build();
    return table;
  }
};

TEST(Collection, ItemTakesTheIndexItsCollectionUnderstands) {
  ObjectRef numbered = std::make_shared<Numbered>();
  EXPECT_EQ(Get(numbered, "Count").ToInt32(), 3);
  EXPECT_EQ(Get(numbered, "Item", {Variant("2")}).ToInt32(), 20);
  EXPECT_EQ(numbered->Members().DefaultMember(), "Item");
  EXPECT_EQ(ErrorNumber([&] { Get(numbered, "Item"); }), err::kWrongArgCount);

  ObjectRef named = std::make_shared<Named>();
  EXPECT_EQ(Get(named, "Item", {Variant(1)}).ToText(), "#1");
  EXPECT_EQ(Get(named, "Item", {Variant("Tools")}).ToText(), "name Tools");

  ObjectRef first = std::make_shared<FirstByDefault>();
  EXPECT_EQ(Get(first, "Item").ToInt32(), 100);
  EXPECT_EQ(Get(first, "Item", {Variant()}).ToInt32(), 100);
  EXPECT_EQ(Get(first, "Item", {Variant(2)}).ToInt32(), 102);
}

TEST(Collection, OneBasedIndexesOutsideTheItemsRaiseTheCollectionsError) {
  EXPECT_EQ(CollectionPosition(1, 3, err::kSubscript), 0u);
  EXPECT_EQ(CollectionPosition(3, 3, err::kSubscript), 2u);
  for (int64_t outside : {int64_t{0}, int64_t{4}, int64_t{-1}, int64_t{1} << 40})
    EXPECT_EQ(ErrorNumber([&] { CollectionPosition(outside, 3, err::kInvalidCall); }),
              err::kInvalidCall)
        << outside;
  EXPECT_EQ(ErrorNumber([] { CollectionPosition(1, 0, err::kSubscript); }), err::kSubscript);
}

TEST(ClassFactory, CreatesByProgIdWithoutRegardToCase) {
  ClassFactory f;
  f.Register("Test.Counter", [] { return std::make_shared<Counter>(); });
  EXPECT_TRUE(f.Has("test.counter"));
  EXPECT_EQ(f.Create("TEST.COUNTER")->TypeName(), "Counter");
  EXPECT_THROW(f.Create("Test.Missing"), AutomationError);
  f.Unregister("Test.Counter");
  EXPECT_FALSE(f.Has("Test.Counter"));
}

TEST(ErrorTrap, TrapReportsAndReturnsTheFailureResult) {
  ErrInfo seen;
  const int r =
      TrapValue([]() -> int { Raise(err::kSubscript); }, [&](const ErrInfo& e) { seen = e; }, -1);
  EXPECT_EQ(r, -1);
  EXPECT_EQ(seen.number, err::kSubscript);
  EXPECT_EQ(seen.description, "Subscript out of range");
  EXPECT_TRUE(Trap([] {}, [](const ErrInfo&) { FAIL(); }));
}

TEST(ErrorTrap, IgnoredStretchSkipsOnlyAutomationErrors) {
  ErrorsIgnored ignore;
  int reached = 0;
  ignore([] { Raise(err::kTypeMismatch); });
  ignore([&] { ++reached; });
  EXPECT_EQ(reached, 1);
  EXPECT_EQ(ignore.Err().number, err::kTypeMismatch);
  EXPECT_EQ(ignore.Value([]() -> int { Raise(err::kOverflow); }, 9), 9);
  EXPECT_THROW(ignore([] { throw std::logic_error("bug"); }), std::logic_error);
}

}  // namespace
}  // namespace qv::automation
