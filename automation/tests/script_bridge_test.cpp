// The script bridge on a bare heap, once with the automation client's rules and once with a
// page's (the policy flags and hooks); the two hosts add their globals on top.

#include "automation/script/script_bridge.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

namespace qv::automation {
namespace {

class Counter : public Dispatch {
 public:
  int value = 1;
  std::string label = "counter";
  const DispatchTable& Members() const override {
    static const DispatchTable table =
        ClassTable<Counter>("Counter")
            .Prop(
                "Value", [](Counter& c) { return c.value; },
                [](Counter& c, const Variant& v) { c.value = v.ToInt32(); })
            .Get("Label", [](Counter& c) { return c.label; })
            .GetArgs("Item",
                     [](Counter&, Args& a) {
                       if (a.Int(0) > 3) Raise(err::kSubscript);
                       return a.Int(0) * 10;
                     })
            .Method("Add", [](Counter& c, Args& a) { return c.value += a.Int(0); })
            .Method("Kind", [](Counter&, Args& a) { return Variant(a[0].TypeName()); })
            .Method("Size",
                    [](Counter&, Args& a) {
                      return static_cast<int32_t>(a[0].ToArray()->elements.size());
                    })
            .Method("Explode", [](Counter&, Args&) -> Variant { throw std::runtime_error("boom"); })
            .Default("Item")
            .Build();
    return table;
  }
};

// A bridge whose hooks are visible to the test: objects of `kept` keep one wrapper.
class TestBridge : public ScriptBridge {
 public:
  explicit TestBridge(BridgePolicy policy) : ScriptBridge(policy) {}
  const Dispatch* kept = nullptr;

 protected:
  bool KeepsIdentity(const Dispatch& object) const override { return &object == kept; }
};

BridgePolicy PagePolicy() {
  BridgePolicy policy;
  policy.callableWrappers = false;
  policy.unknownNamesRaise = false;
  policy.readOnlyWritesRaise = false;
  policy.convertsScriptObjects = false;
  return policy;
}

class Heap {
 public:
  explicit Heap(BridgePolicy policy) : bridge(policy) {
    // The engine's own allocator; the heap's user data still names its bridge.
    ctx = duk_create_heap(nullptr, nullptr, nullptr, static_cast<ScriptBridge*>(&bridge), nullptr);
    bridge.Attach(ctx);
  }
  ~Heap() {
    duk_destroy_heap(ctx);
    bridge.ReleaseObjects();
  }
  void Define(const char* name, const Variant& value) {
    bridge.Push(ctx, value);
    duk_put_global_string(ctx, name);
  }
  // The value of `code`, or the error it threw: "number|description|message".
  Variant Eval(const std::string& code) {
    if (duk_peval_string(ctx, code.c_str()) != 0) {
      duk_get_prop_string(ctx, -1, "number");
      duk_get_prop_string(ctx, -2, "description");
      duk_get_prop_string(ctx, -3, "message");
      const std::string text = std::string(duk_safe_to_string(ctx, -3)) + "|" +
                               duk_safe_to_string(ctx, -2) + "|" + duk_safe_to_string(ctx, -1);
      duk_pop_n(ctx, 4);
      return Variant("error " + text);
    }
    Variant value = bridge.ToVariant(ctx, -1);
    duk_pop(ctx);
    return value;
  }
  std::string Text(const std::string& code) { return Eval(code).ToText(); }

  TestBridge bridge;
  duk_context* ctx;
};

struct BridgeTest : ::testing::Test {
  std::shared_ptr<Counter> counter = std::make_shared<Counter>();
};

TEST_F(BridgeTest, ValuesConvertBothWays) {
  Heap heap(BridgePolicy{});
  EXPECT_EQ(heap.Eval("2147483647").GetType(), Variant::Type::Int32);
  EXPECT_EQ(heap.Eval("-2147483648").GetType(), Variant::Type::Int32);
  EXPECT_EQ(heap.Eval("2147483648").GetType(), Variant::Type::Double);
  EXPECT_EQ(heap.Eval("1.5").GetType(), Variant::Type::Double);
  EXPECT_EQ(heap.Eval("0/0").GetType(), Variant::Type::Double);
  EXPECT_TRUE(heap.Eval("undefined").IsEmpty());
  EXPECT_EQ(heap.Eval("null").TypeName(), "Nothing");
  EXPECT_EQ(heap.Text("'a\\u0000b'").size(), 3u);

  heap.Define("list", Variant::Array(0, {Variant(1), Variant("two"), Variant(ObjectRef(counter))}));
  EXPECT_EQ(heap.Text("list.length + list[1] + list[2].Value"), "3two1");
  auto nested = heap.Eval("[1, [2, 3], 'x']").ToArray();
  ASSERT_EQ(nested->elements.size(), 3u);
  EXPECT_EQ(nested->At(1).ToArray()->At(1).ToInt32(), 3);
  heap.Define("c", Variant(ObjectRef(counter)));
  EXPECT_EQ(heap.Eval("c.Size([4, 5, 6])").ToInt32(), 3);
  EXPECT_EQ(heap.Text("c.Kind({})"), "error 13|Type mismatch|Type mismatch");
  // A function without a hook that keeps it reaches the object model as nothing.
  EXPECT_EQ(heap.Text("c.Kind(function () {})"), "Empty");
}

TEST_F(BridgeTest, APageReadsScriptObjectsAsTheirText) {
  Heap heap(PagePolicy());
  heap.Define("c", Variant(ObjectRef(counter)));
  EXPECT_EQ(heap.Text("c.Kind([1, 2])"), "String");
  EXPECT_EQ(heap.Text("[1, 2]"), "1,2");
  EXPECT_EQ(heap.Text("({ toString: function () { return 'own'; } })"), "own");
  EXPECT_EQ(heap.Text("({ toString: function () { throw new Error('no text'); } })"),
            "Error: no text");
}

TEST_F(BridgeTest, MembersDefaultMembersAndBoundMembers) {
  for (const BridgePolicy& policy : {BridgePolicy{}, PagePolicy()}) {
    Heap heap(policy);
    heap.Define("c", Variant(ObjectRef(counter)));
    EXPECT_EQ(heap.Eval("c.value + c.VALUE").ToInt32(), 2);
    EXPECT_EQ(heap.Eval("c.Item(2)").ToInt32(), 20);
    EXPECT_EQ(heap.Eval("var add = c.Add; add(4)").ToInt32(), 5);  // bound: `this` is not needed
    EXPECT_EQ(heap.Eval("c[1]").GetType(),
              policy.unknownNamesRaise ? Variant::Type::Text : Variant::Type::Empty);
    heap.Eval("c.Value = 7");
    EXPECT_EQ(counter->value, 7);
    EXPECT_EQ(heap.Text("'Label' in c && 'item' in c && !('Nope' in c)"), "True");
    counter->value = 1;
  }
  Heap host(BridgePolicy{});
  host.Define("c", Variant(ObjectRef(counter)));
  EXPECT_EQ(host.Eval("c(3)").ToInt32(), 30);
  EXPECT_EQ(host.Text("typeof c"), "function");
  EXPECT_EQ(host.Text("String(c)"), "[object Counter]");
  Heap page(PagePolicy());
  page.Define("c", Variant(ObjectRef(counter)));
  EXPECT_EQ(page.Text("typeof c"), "object");
}

TEST_F(BridgeTest, ErrorsCarryTheirNumberAndDescription) {
  for (const BridgePolicy& policy : {BridgePolicy{}, PagePolicy()}) {
    Heap heap(policy);
    heap.Define("c", Variant(ObjectRef(counter)));
    EXPECT_EQ(heap.Text("c.Item(9)"), "error 9|Subscript out of range|Subscript out of range");
    EXPECT_EQ(heap.Text("c.Explode()"), "error 0|boom|boom");
    EXPECT_EQ(heap.Text("try { c.Item(); } catch (e) { e.number + ' ' + (e instanceof Error) }"),
              "450 true");
  }
}

TEST_F(BridgeTest, UnknownNamesAndReadOnlyWritesFollowThePolicy) {
  Heap host(BridgePolicy{});
  host.Define("c", Variant(ObjectRef(counter)));
  EXPECT_EQ(host.Text("c.Nope"),
            "error 438|Object doesn't support this property or method (Counter.Nope)|"
            "Object doesn't support this property or method (Counter.Nope)");
  EXPECT_EQ(host.Eval("try { c.Nope = 1; } catch (e) { e.number }").ToInt32(), 438);
  EXPECT_EQ(host.Eval("try { c.Label = 'x'; } catch (e) { e.number }").ToInt32(), 450);
  EXPECT_EQ(counter->label, "counter");

  Heap page(PagePolicy());
  page.Define("c", Variant(ObjectRef(counter)));
  EXPECT_TRUE(page.Eval("c.Nope").IsEmpty());
  EXPECT_EQ(page.Eval("c.mine = 5; c.mine").ToInt32(), 5);
  EXPECT_EQ(page.Text("c.Label = 'x'; c.Label"), "counter");
}

TEST_F(BridgeTest, NamedItemsComeBeforeOrAfterTheMembersAsTheObjectSays) {
  class Form : public Counter {
   public:
    explicit Form(bool first) : first_(first) {}
    bool ScriptGet(const std::string& name, Variant& out) override {
      if (name != "Label" && name != "points") return false;
      out = Variant("item " + name);
      return true;
    }
    bool NamedItemsFirst() const override { return first_; }

   private:
    bool first_;
  };
  for (const BridgePolicy& policy : {BridgePolicy{}, PagePolicy()}) {
    Heap heap(policy);
    heap.Define("first", Variant(ObjectRef(std::make_shared<Form>(true))));
    heap.Define("after", Variant(ObjectRef(std::make_shared<Form>(false))));
    EXPECT_EQ(heap.Text("first.Label + '/' + first.points + '/' + first.Add(1)"),
              "item Label/item points/2");
    EXPECT_EQ(heap.Text("after.Label + '/' + after.points"), "counter/item points");
  }
}

TEST_F(BridgeTest, WrappersKeepTheirObjectJustAsLongAsNeeded) {
  auto kept = std::make_shared<Counter>();
  {
    Heap heap(BridgePolicy{});
    heap.bridge.kept = kept.get();
    heap.Define("k", Variant(ObjectRef(kept)));
    heap.Define("a", Variant(ObjectRef(counter)));
    heap.Define("b", Variant(ObjectRef(counter)));
    EXPECT_EQ(heap.Text("k === k && a !== b"), "True");
    heap.Define("k2", Variant(ObjectRef(kept)));
    EXPECT_EQ(heap.Text("k === k2"), "True");
    EXPECT_EQ(counter.use_count(), 3);
    heap.Eval("a = b = null");
    duk_gc(heap.ctx, 0);
    EXPECT_EQ(counter.use_count(), 1);  // the wrappers' finalizers let go of it
    EXPECT_EQ(kept.use_count(), 2);
  }
  EXPECT_EQ(kept.use_count(), 1);
}

// A failing call leaves the interpreter by its error jump once the call's own objects (names,
// arguments, the error's text) are gone; the sanitizer build reports any that is not.
TEST_F(BridgeTest, FailingCallsLeaveNothingBehind) {
  for (const BridgePolicy& policy : {BridgePolicy{}, PagePolicy()}) {
    Heap heap(policy);
    heap.Define("c", Variant(ObjectRef(counter)));
    EXPECT_EQ(heap.Eval("var failed = 0;"
                        "for (var i = 0; i < 200; i++) {"
                        "  try { c.Item('a long argument that is no number at all', 2); }"
                        "  catch (e) { failed++; }"
                        "  try { c.Explode([1, 2, 3]); } catch (e) { failed++; }"
                        "  try { c(99); } catch (e) { failed++; }"
                        "}"
                        "failed")
                  .ToInt32(),
              600);
  }
}

}  // namespace
}  // namespace qv::automation
