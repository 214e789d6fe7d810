#include "framework/SelectDirectory.h"

#include "framework/DesktopFolder.h"
#include "framework/DesktopFolderPicker.h"
#include "framework/TFolderPickerForm.h"

bool SelectDirectory(const std::string& Caption, const std::string& Root, std::string& Directory) {
  const std::string start = Root.empty() ? DesktopFolder() : Root;
  if (const auto program = DesktopPickerProgram()) {
    switch (RunDesktopPicker(*program, Caption, start, Directory)) {
      case TPickerOutcome::Picked:
        return true;
      case TPickerOutcome::Cancelled:
        return false;
      case TPickerOutcome::Failed:
        break;
    }
  }
  return PickFolder(Caption, start, Directory);
}
