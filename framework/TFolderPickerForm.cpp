#include "framework/TFolderPickerForm.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/TLabel.h"
#include "framework/TListBox.h"
#include "framework/TModalSpeedButton.h"
#include "framework/TSkinPanel.h"

namespace fs = std::filesystem;
using namespace winsys;

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 330;
constexpr TColor kButtonFace = RGB(66, 139, 202);
constexpr TColor kButtonHot = RGB(14, 97, 185);

TModalSpeedButton* MakeButton(TWinControl* parent, const std::string& caption, int left,
                              TModalResult result) {
  auto* button = TComponent::Create<TModalSpeedButton>(parent->Owner());
  button->SetParent(parent);
  button->SetBounds(left, kHeight - 46, 75, 30);
  button->SetCaption(caption);
  button->SetFlat(true);
  button->SetFaceColor(kButtonFace);
  button->SetPressedColor(kButtonFace);
  button->SetLightColor(kButtonFace);
  button->SetShadowColor(kButtonFace);
  button->SetHotTrackColor(kButtonHot);
  button->SetCursor(crHandPoint);
  button->Font().SetColor(clWhite);
  button->SetModalResult(result);
  return button;
}

// The folders inside folder, by name; none when it cannot be read.
std::vector<std::string> SubFolders(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code statusError;
    if (name.front() != '.' && it->is_directory(statusError)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TFolderPickerForm::TFolderPickerForm(TComponent* AOwner, const std::string& caption,
                                     const std::string& start)
    : TForm(AOwner) {
  SetCaption(caption);
  SetBounds(0, 0, kWidth, kHeight);
  SetPosition(poScreenCenter);
  SetColor(RGB(142, 142, 142));
  SetKeyPreview(true);
  SetOnKeyDown([this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); });

  // A white body inside a one-pixel grey frame, as the program's other windows have.
  auto* body = TComponent::Create<TSkinPanel>(this);
  body->SetParent(this);
  body->SetBounds(1, 1, kWidth - 2, kHeight - 2);
  body->SetColor(clWhite);

  auto* title = TComponent::Create<TLabel>(this);
  title->SetParent(body);
  title->SetLeft(12);
  title->SetTop(10);
  title->Font().SetHeight(15);
  title->SetCaption(caption);

  FPath = TComponent::Create<TLabel>(this);
  FPath->SetParent(body);
  FPath->SetAutoSize(false);
  FPath->SetBounds(12, 38, kWidth - 26, 18);
  FPath->Font().SetColor(RGB(141, 141, 141));

  FList = TComponent::Create<TListBox>(this);
  FList->SetParent(body);
  FList->SetBounds(12, 60, kWidth - 26, kHeight - 120);
  FList->SetTabStop(true);
  FList->SetScrollBars(ssVertical);
  FList->SetOnClick([this](TObject*) { Select(FList->ItemIndex()); });
  FList->SetOnDblClick([this](TObject*) { OpenSelected(); });
  FList->SetOnKeyDown([this](TObject* s, WORD& k, TShiftState sh) { ListKeyDown(s, k, sh); });

  FOk = MakeButton(body, "确定", kWidth - 2 - 16 - 75 - 8 - 75, mrOk);
  MakeButton(body, "取消", kWidth - 2 - 16 - 75, mrCancel);

  std::error_code error;
  const fs::path canonical = fs::canonical(start, error);
  Open(error ? fs::path(start).lexically_normal() : canonical);
  SetActiveControl(FList);
}

void TFolderPickerForm::Open(const fs::path& folder) {
  FFolder = folder;
  FList->Items().Clear();
  if (HasParentEntry()) FList->Items().Add("..");
  for (const std::string& name : SubFolders(folder)) FList->Items().Add(name);
  FList->SetItemIndex(-1);
  FList->SetTopRow(0);
  FPath->SetCaption(folder.string());
  SetChoice(FOpened);
}

void TFolderPickerForm::Select(int index) {
  if (index < 0 || index >= FList->Items().Count()) return;
  FList->SetItemIndex(index);
  if (index < FList->TopRow()) FList->SetTopRow(index);
  if (index >= FList->TopRow() + FList->VisibleRows()) {
    FList->SetTopRow(index - FList->VisibleRows() + 1);
  }
  // ".." is no folder to take: the choice goes back to the folder last opened, if any.
  SetChoice(HasParentEntry() && index == 0 ? FOpened
                                           : (FFolder / FList->Items().Strings(index)).string());
}

void TFolderPickerForm::OpenSelected() {
  const int index = FList->ItemIndex();
  if (index < 0) return;
  const fs::path folder = HasParentEntry() && index == 0 ? FFolder.parent_path()
                                                         : FFolder / FList->Items().Strings(index);
  FOpened = folder.string();
  Open(folder);
}

void TFolderPickerForm::SetChoice(const std::string& folder) {
  FChoice = folder;
  FOk->SetEnabled(!folder.empty());
}

void TFolderPickerForm::ListKeyDown(TObject*, WORD& Key, TShiftState) {
  switch (Key) {
    case VK_UP:
      Select(std::max(0, FList->ItemIndex() - 1));
      break;
    case VK_DOWN:
      Select(FList->ItemIndex() + 1);
      break;
    case VK_RETURN:
      OpenSelected();
      break;
    default:
      return;
  }
  Key = 0;
}

void TFolderPickerForm::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key != VK_ESCAPE) return;
  Key = 0;
  SetModalResult(mrCancel);
}

bool PickFolder(const std::string& caption, const std::string& start, std::string& directory) {
  auto form = std::make_unique<TFolderPickerForm>(nullptr, caption, start);
  if (form->ShowModal() != mrOk || form->Choice().empty()) return false;
  directory = form->Choice();
  return true;
}
