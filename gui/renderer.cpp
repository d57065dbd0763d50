#include "gui/renderer.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QTimer>
#include <exception>

#include "gui/dialogs.h"
#include "gui/form_view.h"
#include "platform/forms/event_loop.h"
#include "platform/forms/repaint.h"
#include "platform/forms/runtime_state.h"
#include "platform/forms/user32.h"
#include "platform/forms/window_messages.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

// Long operations yield once per item: the windows follow at a pace the
// eye needs, not at every turn.
constexpr auto kSyncPeriod = std::chrono::milliseconds(30);
constexpr int kTickMs = 10;
constexpr int kIdleWriteCheckMs = 100;

}  // namespace

Renderer::Renderer() {
  SetTurnObserver([this] { OnTurn(); });
  SetCaptionDragObserver([this](HWND window) { OnCaptionDrag(window); });
  SetRepaintObserver([this] { Repaint(); });
  // A box asked during a run stands over the run's state, not its start.
  InstallDialogs([this] { Sync(); });
}

Renderer::~Renderer() {
  SetTurnObserver(nullptr);
  SetCaptionDragObserver(nullptr);
  SetRepaintObserver(nullptr);
  RemoveDialogs();
  forms_.clear();
}

void Renderer::Sync() {
  lastSync_ = std::chrono::steady_clock::now();
  const std::vector<Form*>& loaded = runtime::LoadedForms();
  for (auto it = forms_.begin(); it != forms_.end();) {
    auto live = std::find(loaded.begin(), loaded.end(), it->first);
    bool same = live != loaded.end() && (*live)->hWnd() == it->second->window();
    it = same ? std::next(it) : forms_.erase(it);
  }
  SkinLooks looks = SkinLooks::Gather();
  // A window drawn inside another goes with its host's widget: its form is
  // drawn afresh.
  for (Form* form : loaded) {
    auto& view = forms_[form];
    if (!view || !view->widget()) view = std::make_unique<FormView>(*form);
    view->SyncContent(*form, looks);
  }
  // Hosts exist once every form's controls are drawn.
  std::map<HWND, QWidget*> formWindows;
  for (Form* form : loaded) {
    FormView& view = *forms_[form];
    view.SyncWindow(*form, looks, PlacementOf(*form));
    formWindows[view.window()] = view.widget();
  }
  for (Form* form : loaded) forms_[form]->SyncStacking(*form, formWindows);
  splashes_.Sync();
  trayIcons_.Sync();
  QPoint cursor = QCursor::pos();
  SetCursorPosition(cursor.x(), cursor.y());
}

Placement Renderer::PlacementOf(const Form& form) const {
  HWND parent = GetParent(form.hWnd());
  if (!parent) return {};
  for (const auto& [other, view] : forms_)
    if (QWidget* area = view->AreaOf(parent)) return {true, area};
  return {true, nullptr};
}

QWidget* Renderer::WindowOf(const Form& form) const {
  auto it = forms_.find(&form);
  return it == forms_.end() ? nullptr : it->second->widget();
}

QWidget* Renderer::WidgetOf(const Control& control) const {
  auto it = forms_.find(&control.Parent());
  return it == forms_.end() ? nullptr : it->second->WidgetOf(control.serial());
}

// Only a form's own top-level window is dragged; a control's caption press,
// or a form's drawn inside another window, moves nothing.
void Renderer::OnCaptionDrag(HWND window) {
  for (const auto& [form, view] : forms_)
    if (view->window() == window && view->widget()->isWindow()) return drag_.Start(view->widget());
}

void Renderer::Repaint() {
  Sync();
  // Qt draws what the sync changed and hands it to the window system; the
  // user's input waits in Qt, and the model's queue is not touched.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Renderer::OnTurn() {
  if (std::chrono::steady_clock::now() - lastSync_ < kSyncPeriod) return;
  Sync();
  // A handler that yields keeps the windows alive: input collected here
  // runs at the next turn.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Renderer::Tick() {
  if (ticking_ || DialogOpen()) return;  // nothing is dispatched while a box is open
  ticking_ = true;
  DoEvents();
  runtime::FreeUnloadedForms();
  if (std::chrono::steady_clock::now() - lastSync_ >= kSyncPeriod) Sync();
  ticking_ = false;
}

void Renderer::Run() {
  Sync();
  // The start-up is over and the program waits for the user: a splash
  // would only stand in the way now.
  splashes_.CloseAll();
  QEventLoop loop;
  std::exception_ptr escaped;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    try {
      Tick();
    } catch (...) {
      ticking_ = false;
      escaped = std::current_exception();
      loop.quit();
      return;
    }
    if (runtime::LoadedForms().empty()) loop.quit();
  });
  timer.start(kTickMs);
  // The machine's idle writes keep their own timer: Qt does not deliver the
  // tick again while a handler started by it waits in a box, and the
  // program is as idle then as between events.
  QTimer writes;
  QObject::connect(&writes, &QTimer::timeout, [this] {
    if (!ticking_ || DialogOpen()) RunIdleWork();
  });
  writes.start(kIdleWriteCheckMs);
  if (!runtime::LoadedForms().empty()) loop.exec();
  writes.stop();
  timer.stop();
  // The last state is drawn once before the windows go (a run that ends
  // the program leaves its result on the screen until then).
  Repaint();
  if (escaped) std::rethrow_exception(escaped);
}

}  // namespace tessaly::gui
