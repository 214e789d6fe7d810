#include <cstdio>

#include "framework/TCustomMemo.h"
#include "framework/TListBox.h"
#include "framework/TListView.h"
#include "logging/f_Logger.h"
#include "platform/kernel/Exception.h"

namespace {

// Containers hold at most this many lines; the logger empties them when they reach it.
constexpr int kContainerLimit = 1000;

std::string DateTime(const kernel::SystemTime& now) {
  char text[48];
  std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u.%03u", now.year, now.month,
                now.day, now.hour, now.minute, now.second, now.milliseconds);
  return text;
}

// A memo's lines or a list box's items: the new line goes last, the box scrolls to keep it in
// sight, and the line that lands at the limit empties the box, itself included.
void AddLine(TControl& box, TStrings& lines, const std::string& line) {
  const int index = lines.Add(line);
  box.Perform(winsys::WM_VSCROLL, SB_LINEDOWN, 0);
  if (index >= kContainerLimit) lines.Clear();
}

void AddItem(TListView& view, const std::string& caption, const std::string& text, int32_t level) {
  TListItem* item = view.Items().Add();
  item->SetCaption(caption);
  if (view.SmallImages() && view.SmallImages()->Count() > level) item->SetImageIndex(level);
  item->SubItems().Add(text);
  view.Perform(winsys::WM_VSCROLL, SB_LINEDOWN, 0);
  if (view.Items().Count() >= kContainerLimit) view.Items().Clear();
}

}  // namespace

void TLogger::WriteToContainer(const std::string& Text, int32_t Level) {
  if (FContainer == nullptr) return;
  const std::string stamp = DateTime(FClock());
  if (auto* memo = dynamic_cast<TCustomMemo*>(FContainer)) {
    AddLine(*memo, memo->Lines(), stamp + " " + Text);
  } else if (auto* list = dynamic_cast<TListBox*>(FContainer)) {
    AddLine(*list, list->Items(), stamp + " " + Text);
  } else if (auto* view = dynamic_cast<TListView*>(FContainer)) {
    AddItem(*view, stamp, Text, Level);
  } else {
    throw kernel::Exception("日志容器类型不支持:" + FContainer->ClassName());
  }
}
