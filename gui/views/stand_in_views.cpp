// The outside controls' stand-ins: the progress bar, the graph, the skin
// label and the navigation movie, drawn as the buttons of its description
// sending their commands.
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "gui/conversions.h"
#include "gui/label_buddies.h"
#include "gui/views/views.h"
#include "platform/activex/graph.h"
#include "platform/activex/movie.h"
#include "platform/activex/progress_bar.h"
#include "platform/activex/skin.h"

namespace tessaly::gui {
namespace {

using platform::activex::Histogram;
using platform::activex::Movie;
using platform::activex::ProgressBar;
using platform::activex::SkinLabel;

class ProgressBarView : public TypedView<ProgressBar> {
 public:
  ProgressBarView(ProgressBar& control, QWidget* parent)
      : TypedView(control, new QProgressBar(parent)), bar_(static_cast<QProgressBar*>(widget())) {
    bar_->setRange(0, 100);
  }

 protected:
  void SyncTyped(ProgressBar& control) override {
    int value = static_cast<int>(std::lround(control.Value()));
    if (value_.Changed(value)) bar_->setValue(value);
  }

 private:
  QProgressBar* bar_;
  Applied<int> value_;
};

// The graph's recent samples as a running line over a grid, on the scale
// 0..100; each zoom step widens a sample by one pixel.
class GraphCanvas : public QWidget {
 public:
  using QWidget::QWidget;
  void Show(std::vector<double> samples, int zoom) {
    samples_ = std::move(samples);
    step_ = 2 + std::clamp(zoom, 0, 20);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setPen(QColor(0, 96, 0));
    for (int y = 0; y <= 4; ++y) painter.drawLine(0, y * (height() - 1) / 4, width(), y * (height() - 1) / 4);
    if (samples_.empty()) return;
    QPainterPath line;
    int shown = std::min<int>(static_cast<int>(samples_.size()), width() / step_ + 1);
    for (int i = 0; i < shown; ++i) {
      double value = std::clamp(samples_[samples_.size() - shown + i], 0.0, 100.0);
      QPointF point(width() - 1 - (shown - 1 - i) * step_, (height() - 1) * (1.0 - value / 100.0));
      if (i == 0) line.moveTo(point);
      else line.lineTo(point);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 255, 0), 1.5));
    painter.drawPath(line);
  }

 private:
  std::vector<double> samples_;
  int step_ = 2;
};

class GraphView : public TypedView<Histogram> {
 public:
  GraphView(Histogram& control, QWidget* parent)
      : TypedView(control, new GraphCanvas(parent)), canvas_(static_cast<GraphCanvas*>(widget())) {}

 protected:
  void SyncTyped(Histogram& control) override {
    if (drawn_.Changed({control.sampleCount(), control.Zoom()}))
      canvas_->Show(std::vector<double>(control.samples().begin(), control.samples().end()), control.Zoom());
  }

 private:
  GraphCanvas* canvas_;
  Applied<std::pair<std::uint64_t, std::int32_t>> drawn_;
};

// The skin label is drawn as the skin draws text: no frame, no background
// of its own, the colours and font of the look it wears; greyed while its
// Boolean (dispid 2) is off.
class SkinLabelView : public TypedView<SkinLabel> {
 public:
  SkinLabelView(SkinLabel& control, QWidget* parent)
      : TypedView(control, new QLabel(parent)), label_(static_cast<QLabel*>(widget())) {
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }

 protected:
  void SyncTyped(SkinLabel& control) override {
    if (caption_.Changed(control.Caption())) ShowLabelText(label_, ToQtLines(control.Caption()));
  }

 private:
  QLabel* label_;
  Applied<std::string> caption_;
};

// The command of the movie's title area, which drags the window.
constexpr std::string_view kDragCommand = "IDC_FS_DRAG";

// The movie's buttons at their rectangles; a click queues the button's
// FSCommand, which the form handles at the next turn. The movie spans the
// window but draws only its buttons: presses elsewhere belong to the
// controls beneath it, so its widget takes the mouse on its buttons alone.
class MovieView : public TypedView<Movie> {
 public:
  MovieView(Movie& control, QWidget* parent) : TypedView(control, new QWidget(parent)) {}

 protected:
  void SyncTyped(Movie& control) override {
    std::string signature;
    for (const auto& button : control.buttons())
      signature += button.caption + '\t' + button.command + '\t' + button.args + '\t' +
                   std::to_string(button.left) + ',' + std::to_string(button.top) + ',' +
                   std::to_string(button.right) + ',' + std::to_string(button.bottom) + '\n';
    if (!buttons_.Changed(signature)) return;
    qDeleteAll(widget()->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly));
    std::uint64_t serial = control.serial();
    QRegion buttons;
    for (const auto& button : control.buttons()) {
      auto* push = new QPushButton(Caption(button.caption), widget());
      QRect place(button.left, button.top, button.right - button.left, button.bottom - button.top);
      push->setGeometry(place);
      buttons += place;
      push->show();
      // The drag command goes on the press: the window follows while the button is held.
      auto fire = [serial, command = button.command, args = button.args] {
        auto* movie = static_cast<Movie*>(platform::forms::LiveControl(serial));
        if (movie && movie->AcceptsInput()) movie->FireCommand(command, args);
      };
      if (button.command == kDragCommand) QObject::connect(push, &QPushButton::pressed, fire);
      else QObject::connect(push, &QPushButton::clicked, fire);
    }
    // An empty mask would mean no mask at all: a movie without buttons
    // lets every press through instead.
    widget()->setAttribute(Qt::WA_TransparentForMouseEvents, buttons.isEmpty());
    if (buttons.isEmpty()) widget()->clearMask();
    else widget()->setMask(buttons);
  }

 private:
  Applied<std::string> buttons_;
};

}  // namespace

std::unique_ptr<ControlView> MakeStandInView(Control& control, QWidget* parent) {
  switch (control.kind()) {
    case ControlKind::ProgressBar:
      return std::make_unique<ProgressBarView>(static_cast<ProgressBar&>(control), parent);
    case ControlKind::Graph: return std::make_unique<GraphView>(static_cast<Histogram&>(control), parent);
    case ControlKind::SkinLabel: return std::make_unique<SkinLabelView>(static_cast<SkinLabel&>(control), parent);
    case ControlKind::Movie: return std::make_unique<MovieView>(static_cast<Movie&>(control), parent);
    default: return nullptr;
  }
}

}  // namespace tessaly::gui
