#include "platform/display/x11/X11Mirror.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/winsys/WindowSystem.h"

#include <X11/cursorfont.h>

namespace display::x11 {
namespace {

using winsys::Change;
using winsys::HWND;
using winsys::RECT;

constexpr unsigned Bit(Change change) {
  return 1u << static_cast<unsigned>(change);
}
constexpr unsigned kEverything = ~0u;

RECT Union(const RECT& a, const RECT& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT Whole(const winsys::Window& w) {
  return RECT{0, 0, w.rect.Width(), w.rect.Height()};
}

}  // namespace

Mirror::Mirror(Connection& c) : c_(c), compositor_(c.CompositorRunning()) {
  const unsigned shapes[] = {XC_left_ptr, XC_hand2, XC_xterm, XC_watch, XC_fleur};
  for (size_t i = 0; i < std::size(shapes); ++i) cursors_[i] = XCreateFontCursor(c.dpy, shapes[i]);
}

Mirror::~Mirror() {
  windows_.clear();
  for (::Cursor cursor : cursors_) XFreeCursor(c_.dpy, cursor);
}

void Mirror::Note(HWND hwnd, Change change) {
  pending_[hwnd] |= Bit(change);
  if (change == Change::Text && entry_ != nullptr) pending_[entry_] |= Bit(Change::Text);
}

void Mirror::Destroy(HWND hwnd) {
  pending_.erase(hwnd);
  exposed_.erase(hwnd);
  if (entry_ == hwnd) entry_ = nullptr;
  if (focused_ == hwnd) focused_ = nullptr;
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return;
  ids_.erase(it->second->Id());
  windows_.erase(it);
}

void Mirror::SetCursor(winsys::Cursor cursor) {
  cursorDue_ = cursorDue_ || cursor != cursor_;
  cursor_ = cursor;
}

void Mirror::Exposed(HWND hwnd, const RECT& area) {
  exposed_[hwnd] = Union(exposed_[hwnd], area);
}

void Mirror::CompositorChanged(bool running) {
  if (running == compositor_) return;
  compositor_ = running;
  for (const auto& [hwnd, window] : windows_) {
    if (window->Layered()) pending_[hwnd] |= Bit(Change::Visibility);
  }
}

HWND Mirror::Find(::Window id) const {
  auto it = ids_.find(id);
  return it == ids_.end() ? nullptr : it->second;
}

X11Window* Mirror::WindowOf(HWND hwnd) const {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : it->second.get();
}

X11Window* Mirror::Create(const winsys::Window& model) {
  const winsys::WindowSystem& system = winsys::WindowSystem::Current();
  const winsys::Window* owner = system.Find(model.owner);
  const bool tool = (model.exStyle & winsys::WS_EX_TOOLWINDOW) != 0;
  const bool entry = !model.Layered() && !tool && entry_ == nullptr;
  ::Window transientFor = 0;
  if (!entry && !model.Layered()) {
    const X11Window* parent = owner != nullptr ? WindowOf(owner->hwnd) : nullptr;
    if (parent == nullptr) parent = WindowOf(entry_);
    if (parent != nullptr) transientFor = parent->Id();
  }
  // The hidden application window owns the forms and carries the program's title.
  const bool titledByOwner = entry && owner != nullptr && !owner->Visible();
  auto window = std::make_unique<X11Window>(c_, model, entry, transientFor,
                                            titledByOwner ? owner->text : model.text);
  X11Window* made = window.get();
  if (entry) entry_ = model.hwnd;
  made->SetCursor(cursors_[static_cast<size_t>(cursor_)]);
  ids_[made->Id()] = model.hwnd;
  windows_[model.hwnd] = std::move(window);
  return made;
}

bool Mirror::Wanted(const winsys::Window& model, const X11Window& window) const {
  if (!model.Shown()) return false;
  if (window.Layered()) return compositor_ && !model.layeredPicture.Empty();
  // The first showing waits for the first paint, so that no empty frame appears.
  return window.Mapped() || model.invalid.Empty();
}

void Mirror::Update(winsys::Window& model, X11Window& window, unsigned changes) {
  if ((changes & Bit(Change::Text)) != 0) {
    const winsys::Window* owner = winsys::WindowSystem::Current().Find(model.owner);
    const bool titledByOwner = model.hwnd == entry_ && owner != nullptr && !owner->Visible();
    window.SetTitle(titledByOwner ? owner->text : model.text);
  }
  if ((changes & Bit(Change::Placement)) != 0) window.Place(model.rect);
  if ((changes & Bit(Change::Shape)) != 0) window.SetShape(model.region.get());
  if ((changes & (Bit(Change::Visibility) | Bit(Change::ZOrder))) != 0) restack_ = true;

  RECT area = exposed_[model.hwnd];
  exposed_.erase(model.hwnd);
  const bool wanted = Wanted(model, window);
  if (wanted && !window.Mapped()) {
    window.Map();
    restack_ = true;
    area = Whole(model);
  } else if (!wanted && window.Mapped()) {
    // A minimised form keeps its task-bar entry where a window manager can give it one.
    if (model.minimized && !window.Layered() && c_.WindowManagerRunning()) {
      window.Iconify();
    } else {
      window.Unmap();
    }
  }
  if (!window.Mapped()) return;
  if (window.Layered()) {
    if ((changes & Bit(Change::Layered)) != 0) area = Whole(model);
  } else {
    area = Union(area, model.painted);
    model.painted = RECT{};
  }
  window.Draw(model, area);
}

void Mirror::Flush() {
  winsys::WindowSystem& system = winsys::WindowSystem::Current();
  for (const auto& [hwnd, changes] : pending_) {
    winsys::Window* model = system.Find(hwnd);
    if (model == nullptr) continue;
    X11Window* window = WindowOf(hwnd);
    if (window == nullptr) {
      if (!model->Visible()) continue;
      window = Create(*model);
      Update(*model, *window, kEverything);
    } else {
      Update(*model, *window, changes);
    }
  }
  pending_.clear();
  for (const auto& [hwnd, area] : exposed_) {
    winsys::Window* model = system.Find(hwnd);
    X11Window* window = WindowOf(hwnd);
    if (model != nullptr && window != nullptr && window->Mapped()) window->Draw(*model, area);
  }
  exposed_.clear();
  if (restack_) Restack();
  if (cursorDue_) {
    for (const auto& [hwnd, window] : windows_) {
      window->SetCursor(cursors_[static_cast<size_t>(cursor_)]);
    }
    cursorDue_ = false;
  }
  FollowActivation();
  XFlush(c_.dpy);
}

void Mirror::Restack() {
  restack_ = false;
  std::vector<::Window> order;
  for (HWND hwnd : winsys::WindowSystem::Current().Stack().TopDown()) {
    const X11Window* window = WindowOf(hwnd);
    if (window != nullptr && window->Mapped()) order.push_back(window->Id());
  }
  if (order.size() > 1) XRestackWindows(c_.dpy, order.data(), static_cast<int>(order.size()));
}

// Without a window manager nobody else gives the keyboard to the window the model activated.
void Mirror::FollowActivation() {
  const HWND active = winsys::WindowSystem::Current().Active();
  if (active == focused_) return;
  const X11Window* window = WindowOf(active);
  if (window == nullptr || !window->Mapped() || window->Layered()) return;
  focused_ = active;
  if (!c_.WindowManagerRunning()) XSetInputFocus(c_.dpy, window->Id(), RevertToPointerRoot, 0);
}

}  // namespace display::x11
