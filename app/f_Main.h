#pragma once

#include <cstdint>
#include <string>

#include "client/f_HttpClientIntf.h"
#include "framework/TCustomForm.h"

class TFlatEdit;
class TFlatRadioButton;
class TFormShadow;
class TImage;
class TLabel;
class TPageControl;
class TPanel;
class TPNGImageButtonEx;
class TSkinPanel;
class TTabSheet;

// The main window: the banner and three pages — the download line (TS1), the save folder (TS2)
// and the download with its progress and the install button (TS3).
class Tfrm_Main : public TForm {
 public:
  explicit Tfrm_Main(TComponent* AOwner);
  std::string ClassName() const override { return "Tfrm_Main"; }

  // One download run with its checks and outcomes; a new run after "download again" or after a
  // refused close follows in the same call.
  void StartDownload();
  void DownloadProgress(const THttpDownloadInfo& Info, bool& Stop);
  void SetProgressPosition(int32_t Position);
  void SetProgressTotal(int32_t Total);
  void ResetDownload();
  // Ends the process at once with exit code 4294967295; nothing runs after it.
  static void TerminateSelf();
  static bool IsNetworkOnline();

  TFormShadow* FShadow = nullptr;
  std::string FSaveDir;
  std::u16string FSaveFile;
  bool FCancelRequest = false;
  bool FDownloaded = false;
  bool FDownloadFailed = false;
  int32_t FProgressPos = 0;
  int32_t FProgressMax = 100;

  TSkinPanel* pnlGg = nullptr;
  TImage* imgTop = nullptr;
  TSkinPanel* pnlMinClose = nullptr;
  TPNGImageButtonEx* btnSmall = nullptr;
  TPNGImageButtonEx* btnClose = nullptr;
  TPageControl* PC = nullptr;
  TTabSheet* TS1 = nullptr;
  TImage* btnDownloadNow = nullptr;
  TSkinPanel* pnlRdbtn = nullptr;
  TFlatRadioButton* rdbDX = nullptr;
  TFlatRadioButton* RdbLT = nullptr;
  TLabel* labCustom = nullptr;
  TImage* imgGray = nullptr;
  TTabSheet* TS2 = nullptr;
  TLabel* labDirInfo = nullptr;
  TFlatEdit* edtDir = nullptr;
  TImage* btnDir = nullptr;
  TImage* btnDownload = nullptr;
  TLabel* labBack = nullptr;
  TTabSheet* TS3 = nullptr;
  TLabel* labProcess = nullptr;
  TPanel* Panel1 = nullptr;
  TImage* imgProcessOuter = nullptr;
  TImage* imgProcessInner = nullptr;
  TImage* btnInstall = nullptr;

 private:
  enum class TRunEnd { Done, Again };
  TRunEnd DownloadRun();
  void RefreshProgress();
  bool TransferRunning() const;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void btnSmallClick(TObject* Sender);
  void imgTopMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void btnCloseClick(TObject* Sender);
  void labCustomClick(TObject* Sender);
  void labBackClick(TObject* Sender);
  void TS2Show(TObject* Sender);
  void edtDirExit(TObject* Sender);
  void btnDirClick(TObject* Sender);
  void btnDownloadNowClick(TObject* Sender);
  void btnDownloadClick(TObject* Sender);
  void btnInstallClick(TObject* Sender);
};
