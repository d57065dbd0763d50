#include "platform/activex/graph.h"

#include <gtest/gtest.h>

#include "platform/forms/forms.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
using platform::activex::Histogram;

class GraphForm : public Form {
 public:
  GraphForm() : Form("frmGraph") {}
  Histogram histCPU{*this, "histCPU"};
};

class GraphTest : public ::testing::Test {
 protected:
  GraphTest() { ResetFormsRuntime(); }
  ~GraphTest() override { ResetFormsRuntime(); }
  TempMachine machine_;
};

TEST_F(GraphTest, ValueAppendsSamplesAndReadsTheLastOne) {
  Histogram& graph = DefaultInstance<GraphForm>().histCPU;
  EXPECT_EQ(graph.Value(), 0.0);
  graph.Value(12.5);
  graph.Value(-1);
  graph.Let("Value", Property(std::string("33.25")));
  EXPECT_EQ(graph.Value(), 33.25);
  EXPECT_EQ(platform::vb::CDbl(graph.Get("Value")), 33.25);
  EXPECT_EQ(graph.samples(), (std::deque<double>{12.5, -1, 33.25}));
  graph.Let("Zoom", Property(3));
  EXPECT_EQ(graph.Zoom(), 3);
  EXPECT_EQ(platform::vb::CLng(graph.Get("Zoom")), 3);
  EXPECT_NE(graph.hWnd(), 0u);
  EXPECT_EQ(graph.WindowClass(), "Graph");
}

TEST_F(GraphTest, KeepsOnlyTheRecentSamples) {
  Histogram& graph = DefaultInstance<GraphForm>().histCPU;
  for (int i = 0; i < 3000; ++i) graph.Value(i);
  EXPECT_EQ(graph.sampleCount(), 3000u);
  ASSERT_EQ(graph.samples().size(), Histogram::kKeptSamples);
  EXPECT_EQ(graph.samples().front(), 3000.0 - Histogram::kKeptSamples);
  EXPECT_EQ(graph.samples().back(), 2999.0);
}

}  // namespace
}  // namespace tessaly::testing
