// The member table itself: registration once per class, a derived class
// replacing a base member, and the errors of each late-bound path.
#include <gtest/gtest.h>

#include "platform/com/automation.h"
#include "platform/com/com_object.h"
#include "platform/com/member_dispatch.h"
#include "platform/runtime/member_table.h"
#include "support/error_capture.h"

namespace tessaly::testing {
namespace {

using platform::vb::DispatchKind;
using platform::vb::Variant;

class Gauge {
 public:
  virtual ~Gauge() = default;
  virtual const platform::vb::MemberTable<Gauge>& Members() const;
  std::int32_t Level() const { return level_; }
  void Level(std::int32_t value) {
    if (value < 0) platform::RaiseRuntimeError(380);
    level_ = value;
  }
  const std::string& Label() const { return label_; }
  std::int32_t Fill(std::int16_t by, const std::string& label) {
    label_ = label;
    return level_ += by;
  }

 private:
  std::int32_t level_ = 0;
  std::string label_;
};

// Doubles what it is given: its own Level replaces the base's.
class DoubleGauge : public Gauge {
 public:
  const platform::vb::MemberTable<Gauge>& Members() const override;
  double Level() const { return Gauge::Level() / 2.0; }
  void Level(double value) { Gauge::Level(static_cast<std::int32_t>(value * 2)); }
};

const platform::vb::MemberTable<Gauge>& Gauge::Members() const {
  static const platform::vb::MemberTable<Gauge> members = platform::vb::MemberTable<Gauge>::Of()
      .Property("Level", 1, &Gauge::Level, &Gauge::Level)
      .Property("Label", 2, &Gauge::Label)
      .Method("Fill", 3, &Gauge::Fill);
  return members;
}

const platform::vb::MemberTable<Gauge>& DoubleGauge::Members() const {
  static const platform::vb::MemberTable<Gauge> members = platform::vb::MemberTable<Gauge>::Extend<DoubleGauge>(
      Gauge::Members()).Property("Level", 1, &DoubleGauge::Level, &DoubleGauge::Level);
  return members;
}

class GaugeObject final : public platform::com::ComObject<IDispatch> {
 public:
  explicit GaugeObject(Gauge& gauge) : gauge_(gauge) {}
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  HRESULT Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) override {
    return platform::com::InvokeMember(gauge_.Members(), gauge_, member, kind, args, count, result);
  }

 private:
  Gauge& gauge_;
};

TEST(MemberTable, ADerivedClassReplacesItsBaseMemberAndKeepsTheRest) {
  DoubleGauge gauge;
  const auto& table = gauge.Members();
  table.Let(gauge, "Level", std::string("1.5"));
  EXPECT_EQ(gauge.Gauge::Level(), 3);
  EXPECT_EQ(std::get<double>(table.Get(gauge, "Level")), 1.5);
  EXPECT_EQ(table.members().size(), 3u);
  EXPECT_EQ(std::get<std::int32_t>(table.Call(gauge, "Fill", {std::string("2"), std::string("full")})), 5);
  EXPECT_EQ(std::get<std::string>(table.Get(gauge, "Label")), "full");
}

TEST(MemberTable, ByNameRaisesWhatTheRuntimeRaises) {
  Gauge gauge;
  const auto& table = gauge.Members();
  EXPECT_EQ(ErrorOf([&] { table.Get(gauge, "Missing"); }), 438);
  EXPECT_EQ(ErrorOf([&] { table.Get(gauge, "level"); }), 438);  // names match exactly, as before
  EXPECT_EQ(ErrorOf([&] { table.Let(gauge, "Label", std::string("x")); }), 438);  // read-only
  EXPECT_EQ(ErrorOf([&] { table.Get(gauge, "Fill"); }), 438);  // a method is not read
  EXPECT_EQ(ErrorOf([&] { table.Let(gauge, "Level", std::string("&H10")); }), 0);
  EXPECT_EQ(gauge.Level(), 16);
  EXPECT_EQ(ErrorOf([&] { table.Let(gauge, "Level", std::string("ten")); }), 13);
  EXPECT_EQ(ErrorOf([&] { table.Let(gauge, "Level", 1e20); }), 6);
  EXPECT_EQ(ErrorOf([&] { table.Let(gauge, "Level", -1); }), 380);
  EXPECT_EQ(ErrorOf([&] { table.Call(gauge, "Fill", {1}); }), 450);
  EXPECT_EQ(gauge.Level(), 16);
}

TEST(MemberTable, IdentityAndIDispatchTellConversionFailuresFromTheMembersOwnErrors) {
  Gauge gauge;
  const auto& table = gauge.Members();
  EXPECT_EQ(table.Invoke(gauge, 1, DispatchKind::PropertyPut, {std::string("ten")}, nullptr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(table.Invoke(gauge, 1, DispatchKind::PropertyPut, {-1}, nullptr), HRESULT_FROM_RUNTIME_ERROR(380));
  EXPECT_EQ(table.Invoke(gauge, 2, DispatchKind::PropertyPut, {1}, nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(table.Invoke(gauge, 3, DispatchKind::Method, {1, 2, 3}, nullptr), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(table.Invoke(gauge, 3, DispatchKind::Method, {std::string("x"), std::string("y")}, nullptr),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(gauge.Label(), "");  // no argument converted, nothing done

  auto object = platform::com::ComPtr<IDispatch>::Attach(new GaugeObject(gauge));
  using platform::com::ComVariant;
  platform::com::Invoke(object.get(), 1, DISPATCH_PROPERTYPUT, {ComVariant::String("7")});
  EXPECT_EQ(gauge.Level(), 7);
  EXPECT_EQ(platform::com::Invoke(object.get(), 3, DISPATCH_METHOD, {ComVariant::Short(3), ComVariant::String("x")})
                .AsLong(),
            10);
  EXPECT_EQ(platform::com::Invoke(object.get(), 2, DISPATCH_PROPERTYGET | DISPATCH_METHOD).AsString(), "x");
  // The member's runtime error comes back to the client as its number.
  EXPECT_EQ(ErrorOf([&] { platform::com::Invoke(object.get(), 1, DISPATCH_PROPERTYPUT, {ComVariant::Long(-1)}); }),
            380);
}

}  // namespace
}  // namespace tessaly::testing
