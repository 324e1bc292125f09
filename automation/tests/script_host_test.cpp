#include "automation/script/script_host.h"

#include <gtest/gtest.h>

#include <map>

namespace qv::automation {
namespace {

class Cell : public Dispatch {
 public:
  explicit Cell(int v) : value(v) {}
  int value;
  const DispatchTable& Members() const override {
    static const DispatchTable table =
        ClassTable<Cell>("Cell").Get("Value", [](Cell& c) { return c.value; }).Build();
    return table;
  }
};

class Grid : public Dispatch {
 public:
  std::string caption = "grid";
  ObjectRef handler;
  const DispatchTable& Members() const override {
    static const DispatchTable table =
        ClassTable<Grid>("Grid")
            .Prop(
                "Caption", [](Grid& g) { return g.caption; },
                [](Grid& g, const Variant& v) { g.caption = v.ToText(); })
            .Get("Count", [](Grid&) { return 3; })
            .GetArgs("Item",
                     [](Grid&, Args& a) {
                       const int i = a.Int(0);
                       if (i < 1 || i > 3) Raise(err::kNoSuchItem);
                       return ObjectRef(std::make_shared<Cell>(i * 10));
                     })
            .Method("Sum", [](Grid&, Args& a) { return a.Int(0) + a.Int(1); })
            .Sub("SetHandler", [](Grid& g, Args& a) { g.handler = a.Object(0); })
            .Method("Fire", [](Grid& g, Args& a) { return Call(g.handler, "Call", {a[0]}); })
            .Default("Item")
            .Build();
    return table;
  }
};

struct ScriptHostTest : ::testing::Test {
  ScriptHost host;
  std::shared_ptr<Grid> grid = std::make_shared<Grid>();
  void SetUp() override { host.DefineGlobal("grid", Variant(grid)); }
};

TEST_F(ScriptHostTest, PropertiesMethodsAndTheCallForm) {
  EXPECT_EQ(host.Eval("grid.Count").ToInt32(), 3);
  EXPECT_EQ(host.Eval("grid.count").ToInt32(), 3);
  EXPECT_EQ(host.Eval("grid.Item(2).Value").ToInt32(), 20);
  EXPECT_EQ(host.Eval("grid(3).Value").ToInt32(), 30);
  EXPECT_EQ(host.Eval("grid.Sum(4, 5)").ToInt32(), 9);
  host.Eval("grid.Caption = 'changed'");
  EXPECT_EQ(grid->caption, "changed");
  EXPECT_EQ(host.Eval("String(grid.Item(1))").ToText(), "[object Cell]");
}

TEST_F(ScriptHostTest, ObjectModelErrorsReachScriptsWithTheirNumbers) {
  EXPECT_EQ(host.Eval("var n; try { grid(9); } catch (e) { n = e.number; } n").ToInt32(),
            err::kNoSuchItem);
  EXPECT_EQ(host.Eval("try { grid.Nope; } catch (e) { e.number }").ToInt32(), err::kNoSuchMember);
  ScriptFailure failure;
  EXPECT_FALSE(host.Run("var a = 1;\ngrid.Item(7);\n", "case.js", failure));
  EXPECT_EQ(failure.number, err::kNoSuchItem);
  EXPECT_NE(failure.message.find("collection does not exist"), std::string::npos);
  EXPECT_NE(failure.stack.find("case.js:2"), std::string::npos) << failure.stack;
}

TEST_F(ScriptHostTest, ScriptFunctionsServeAsHostCallbacks) {
  host.Eval("grid.SetHandler(function (x) { return x * 2; })");
  EXPECT_EQ(Call(grid, "Fire", {Variant(21)}).ToInt32(), 42);
  host.Eval("grid.SetHandler(function () { throw new Error('boom'); })");
  EXPECT_THROW(Call(grid, "Fire", {Variant(1)}), AutomationError);
}

TEST_F(ScriptHostTest, ObjectsRoundTripAndArraysConvert) {
  host.DefineFunction("same", [&](std::vector<Variant>& a) -> Variant {
    return Variant(a[0].ToObject().get() == grid.get());
  });
  EXPECT_TRUE(host.Eval("same(grid)").ToBool());
  auto arr = host.Eval("[1, 'two', true]").ToArray();
  ASSERT_EQ(arr->elements.size(), 3u);
  EXPECT_EQ(arr->At(1).ToText(), "two");
  EXPECT_EQ(host.Eval("null").TypeName(), "Nothing");
}

TEST(ScriptHostFactory, CreateObjectUsesTheFactory) {
  ClassFactory factory;
  factory.Register("Test.Grid", [] { return std::make_shared<Grid>(); });
  ScriptHost host;
  host.UseFactory(&factory);
  EXPECT_EQ(host.Eval("CreateObject('test.grid').Count").ToInt32(), 3);
  EXPECT_EQ(host.Eval("try { CreateObject('No.Such') } catch (e) { e.number }").ToInt32(),
            err::kCannotCreate);
}

TEST(ScriptHostLifetime, CallbacksOutlivingTheEngineFailCleanly) {
  auto grid = std::make_shared<Grid>();
  {
    ScriptHost host;
    host.DefineGlobal("grid", Variant(grid));
    host.Eval("grid.SetHandler(function () { return 1; })");
  }
  EXPECT_THROW(Call(grid, "Fire", {Variant(1)}), AutomationError);
}

}  // namespace
}  // namespace qv::automation

namespace qv::automation {
namespace {

// An object that answers names beyond its members, as a form answers its controls.
class Fields : public Dispatch {
 public:
  explicit Fields(bool namedFirst) : namedFirst_(namedFirst) {}
  std::map<std::string, Variant> fields;
  std::string title = "own title";
  const DispatchTable& Members() const override {
    static const DispatchTable table =
        ClassTable<Fields>("Fields")
            .Prop(
                "title", [](Fields& f) { return f.title; },
                [](Fields& f, const Variant& v) { f.title = v.ToText(); })
            .Method("submit", [](Fields&, Args&) { return Variant("submitted"); })
            .Build();
    return table;
  }
  bool ScriptGet(const std::string& name, Variant& out) override {
    const auto found = fields.find(name);
    if (found == fields.end()) return false;
    out = found->second;
    return true;
  }
  bool ScriptPut(const std::string& name, const Variant& value) override {
    if (!fields.count(name)) return false;
    fields[name] = value;
    return true;
  }
  bool NamedItemsFirst() const override { return namedFirst_; }

 private:
  bool namedFirst_;
};

TEST(NamedItems, AreAnsweredByNameThroughAutomationAndFromScripts) {
  auto form = std::make_shared<Fields>(true);
  form->fields = {{"points", Variant(5)}, {"title", Variant("field")}, {"submit", Variant(1)}};
  EXPECT_EQ(Get(form, "points").ToInt32(), 5);
  // Named items come first for reading, as the host's forms do; methods are still called.
  EXPECT_EQ(Get(form, "title").ToText(), "field");
  EXPECT_EQ(Call(form, "submit").ToText(), "submitted");
  Put(form, "points", Variant(7));
  EXPECT_EQ(form->fields["points"].ToInt32(), 7);
  EXPECT_THROW(Get(form, "missing"), AutomationError);

  auto plain = std::make_shared<Fields>(false);
  plain->fields = {{"points", Variant(3)}, {"title", Variant("field")}};
  EXPECT_EQ(Get(plain, "title").ToText(), "own title");
  EXPECT_EQ(Get(plain, "points").ToInt32(), 3);

  ScriptHost host;
  host.DefineGlobal("form", Variant(ObjectRef(form)));
  host.DefineGlobal("plain", Variant(ObjectRef(plain)));
  EXPECT_EQ(host.Eval("form.points + plain.points").ToInt32(), 10);
  EXPECT_EQ(host.Eval("form.title + '|' + plain.title").ToText(), "field|own title");
  host.Eval("form.points = 9");
  EXPECT_EQ(form->fields["points"].ToInt32(), 9);
  EXPECT_THROW(host.Eval("form.missing"), AutomationError);
}

}  // namespace
}  // namespace qv::automation
