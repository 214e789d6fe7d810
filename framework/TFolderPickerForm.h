#pragma once

#include <filesystem>
#include <string>

#include "framework/TCustomForm.h"

class TLabel;
class TListBox;
class TModalSpeedButton;

// The folder picker of our own, for desktops that have none: a list of the folders inside the
// one listed (hidden ones and files left out), with ".." to go up, under the path of that
// folder. A click or Up and Down select
// an entry; a double click or Enter opens it. "确定" takes the selected folder, or else the one
// last opened, and stays disabled until there is one: nothing is chosen when the picker opens.
// "取消" and Escape end it without a folder.
class TFolderPickerForm : public TForm {
 public:
  TFolderPickerForm(TComponent* AOwner, const std::string& caption, const std::string& start);
  std::string ClassName() const override { return "TFolderPickerForm"; }

  // The folder the user chose; empty while there is none.
  const std::string& Choice() const { return FChoice; }

 private:
  void Open(const std::filesystem::path& folder);
  void Select(int index);
  void OpenSelected();
  void SetChoice(const std::string& folder);
  void ListKeyDown(TObject* Sender, winsys::WORD& Key, TShiftState Shift);
  void FormKeyDown(TObject* Sender, winsys::WORD& Key, TShiftState Shift);
  bool HasParentEntry() const { return FFolder != FFolder.root_path(); }

  TLabel* FPath = nullptr;
  TListBox* FList = nullptr;
  TModalSpeedButton* FOk = nullptr;
  std::filesystem::path FFolder;  // the folder listed
  std::string FOpened;            // the folder the user opened last; empty before
  std::string FChoice;
};

// Shows the picker modally, starting in start; true with directory set when the user took a
// folder.
bool PickFolder(const std::string& caption, const std::string& start, std::string& directory);
