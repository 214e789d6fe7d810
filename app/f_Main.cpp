#include "app/f_Main.h"

#include <algorithm>
#include <cmath>

#include "app/f_DownloadLines.h"
#include "app/f_GlobalVar.h"
#include "app/f_Info.h"
#include "app/f_SystemServices.h"
#include "app/f_WindowDrag.h"
#include "controls/f_PNGImageButton.h"
#include "controls/f_ShadowFrame.h"
#include "dialogs/f_MsgDlgBox.h"
#include "framework/SelectDirectory.h"
#include "framework/TApplication.h"
#include "framework/TFlatEdit.h"
#include "framework/TFlatRadioButton.h"
#include "framework/TFormLoader.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TPageControl.h"
#include "framework/TPanel.h"
#include "framework/TSkinPanel.h"
#include "framework/TTabSheet.h"
#include "platform/inet/Inet.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/Process.h"
#include "platform/text/Utf.h"

namespace {

void Notice(const std::string& text) {
  ShowMsgDlg(mkInfo, text, "", false, "");
}

bool Confirmed(const std::string& question) {
  return ShowMsgDlg(mkOkCancel, question, "", false, "") == 1;
}

std::string WithSeparator(const std::string& folder) {
  return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

}  // namespace

Tfrm_Main::Tfrm_Main(TComponent* AOwner) : TForm(AOwner) {
  TFormLoader loader(*this);
  loader.Field("pnlGg", pnlGg);
  loader.Field("imgTop", imgTop);
  loader.Field("pnlMinClose", pnlMinClose);
  loader.Field("btnSmall", btnSmall);
  loader.Field("btnClose", btnClose);
  loader.Field("PC", PC);
  loader.Field("TS1", TS1);
  loader.Field("btnDownloadNow", btnDownloadNow);
  loader.Field("pnlRdbtn", pnlRdbtn);
  loader.Field("rdbDX", rdbDX);
  loader.Field("RdbLT", RdbLT);
  loader.Field("labCustom", labCustom);
  loader.Field("imgGray", imgGray);
  loader.Field("TS2", TS2);
  loader.Field("labDirInfo", labDirInfo);
  loader.Field("edtDir", edtDir);
  loader.Field("btnDir", btnDir);
  loader.Field("btnDownload", btnDownload);
  loader.Field("labBack", labBack);
  loader.Field("TS3", TS3);
  loader.Field("labProcess", labProcess);
  loader.Field("Panel1", Panel1);
  loader.Field("imgProcessOuter", imgProcessOuter);
  loader.Field("imgProcessInner", imgProcessInner);
  loader.Field("btnInstall", btnInstall);
  loader.Handler("FormCreate", this, &Tfrm_Main::FormCreate);
  loader.Handler("FormShow", this, &Tfrm_Main::FormShow);
  loader.Handler("btnSmallClick", this, &Tfrm_Main::btnSmallClick);
  loader.Handler("imgTopMouseDown", this, &Tfrm_Main::imgTopMouseDown);
  loader.Handler("btnCloseClick", this, &Tfrm_Main::btnCloseClick);
  loader.Handler("labCustomClick", this, &Tfrm_Main::labCustomClick);
  loader.Handler("labBackClick", this, &Tfrm_Main::labBackClick);
  loader.Handler("TS2Show", this, &Tfrm_Main::TS2Show);
  loader.Handler("edtDirExit", this, &Tfrm_Main::edtDirExit);
  loader.Handler("btnDirClick", this, &Tfrm_Main::btnDirClick);
  loader.Handler("btnDownloadNowClick", this, &Tfrm_Main::btnDownloadNowClick);
  loader.Handler("btnDownloadClick", this, &Tfrm_Main::btnDownloadClick);
  loader.Handler("btnInstallClick", this, &Tfrm_Main::btnInstallClick);
  // A close request from outside the window (the window manager, the keyboard) must not end
  // the program under a running transfer.
  SetOnCloseQuery([this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); });
  loader.Load("frm_Main.form");
}

void Tfrm_Main::FormCreate(TObject*) {
  FShadow = TComponent::Create<TFormShadow>(this);
  FShadow->SetForm(this);
  ResetDownload();
  for (int i = 0; i < PC->PageCount(); ++i) PC->Pages(i)->SetTabVisible(false);
  PC->SetActivePage(TS1);
}

void Tfrm_Main::FormShow(TObject*) {
  FShadow->SetActive(true);
  const std::string folder = kernel::ProgramFolder() + "Veltrane/";
  if (!kernel::DirectoryExists(folder)) kernel::ForceDirectories(folder);
  FSaveDir = folder;
}

void Tfrm_Main::ResetDownload() {
  FCancelRequest = false;
  FDownloaded = false;
  FDownloadFailed = false;
  FProgressPos = 0;
  FProgressMax = 100;
  GetHttpClient()->SetQueryPackageInfo(true);
}

void Tfrm_Main::TerminateSelf() {
  GSystemServices.TerminateProcess(4294967295u);
}

bool Tfrm_Main::IsNetworkOnline() {
  uint32_t flags = 0;
  return inet::InternetGetConnectedState(&flags, 0);
}

bool Tfrm_Main::TransferRunning() const {
  return PC->ActivePage() == TS3 && !FDownloadFailed && !FDownloaded;
}

void Tfrm_Main::FormCloseQuery(TObject*, bool& CanClose) {
  if (!TransferRunning()) return;
  FCancelRequest = true;
  CanClose = false;
}

void Tfrm_Main::btnSmallClick(TObject*) {
  Application->Minimize();
}

void Tfrm_Main::imgTopMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  StartWindowDrag(*this);
}

void Tfrm_Main::btnCloseClick(TObject*) {
  if (TransferRunning()) {
    FCancelRequest = true;
    return;
  }
  TerminateSelf();
}

void Tfrm_Main::labCustomClick(TObject*) {
  PC->SetActivePage(TS2);
}
void Tfrm_Main::labBackClick(TObject*) {
  PC->SetActivePage(TS1);
}
void Tfrm_Main::TS2Show(TObject*) {
  edtDir->SetText(FSaveDir);
}
void Tfrm_Main::edtDirExit(TObject*) {
  FSaveDir = edtDir->Text();
}

void Tfrm_Main::btnDirClick(TObject*) {
  std::string folder;
  if (!SelectDirectory("请选择目录", "", folder)) return;
  edtDir->SetText(WithSeparator(folder));
  FSaveDir = edtDir->Text();
}

void Tfrm_Main::btnDownloadNowClick(TObject*) {
  StartDownload();
}
void Tfrm_Main::btnDownloadClick(TObject*) {
  StartDownload();
}

void Tfrm_Main::StartDownload() {
  while (DownloadRun() == TRunEnd::Again) {
  }
}

Tfrm_Main::TRunEnd Tfrm_Main::DownloadRun() {
  if (PC->ActivePage() == TS2) FSaveDir = edtDir->Text();
  if (FSaveDir.empty()) {
    Notice("请选择保存路径。");
    return TRunEnd::Done;
  }
  std::u16string address;
  if (rdbDX->Checked()) {
    address = download_lines::TelecomAddress();
  } else if (RdbLT->Checked()) {
    address = download_lines::UnicomAddress();
  }
  if (address.empty()) {
    Notice("找不到下载文件。");
    return TRunEnd::Done;
  }
  TURLParts parts;
  if (!GetHttpClient()->CrackUrl(address, parts)) {
    Notice("解析URL失败！");
    return TRunEnd::Done;
  }
  const size_t cut = parts.UrlPath.find_last_of(u"/\\:");
  const std::u16string fileName =
      cut == std::u16string::npos ? parts.UrlPath : parts.UrlPath.substr(cut + 1);
  if (fileName.empty()) {
    Notice("不存在下载文件！");
    return TRunEnd::Done;
  }
  if (!IsNetworkOnline()) {
    Notice("网络异常，请检查网络后重试！");
    return TRunEnd::Done;
  }
  FSaveFile = text::Utf8ToUtf16(WithSeparator(FSaveDir)) + fileName;
  const std::string saveFile = text::Utf16ToUtf8(FSaveFile);
  if (kernel::FileExists(saveFile)) {
    if (!Confirmed(saveFile + "已存在，需要重新下载吗？")) return TRunEnd::Done;
    kernel::DeleteFile(saveFile);
  }
  PC->SetActivePage(TS3);

  const int32_t result = GetHttpClient()->DownloadFile(
      address, FSaveFile,
      [this](const THttpDownloadInfo& info, bool& stop) { DownloadProgress(info, stop); }, 0,
      u"GET", u"");
  switch (result) {
    case 0:
      FDownloaded = true;
      btnInstall->Show();
      return TRunEnd::Done;
    case -1:
      FDownloadFailed = true;
      switch (ShowInfoDialog()) {
        case 1:
          GSystemServices.OpenDocument(Application->Handle(),
                                       text::Utf16ToUtf8(download_lines::TelecomAddress()));
          TerminateSelf();
          return TRunEnd::Done;
        case 2:
          ResetDownload();
          return TRunEnd::Again;
        default:
          ResetDownload();
          PC->SetActivePage(TS1);
          return TRunEnd::Done;
      }
    case 1:
      if (Confirmed("当前下载还没有完成，如果关闭软件，需要重新下载，确定关闭软件吗？")) {
        TerminateSelf();
        return TRunEnd::Done;
      }
      ResetDownload();
      return TRunEnd::Again;
    default:
      return TRunEnd::Done;
  }
}

void Tfrm_Main::DownloadProgress(const THttpDownloadInfo& Info, bool& Stop) {
  switch (Info.State) {
    case dsStart:
    case dsFinish:
      Application->ProcessMessages();
      break;
    case dsDownloading:
      // The window keeps the low 32 bits of the counts, read as signed numbers.
      SetProgressPosition(static_cast<int32_t>(static_cast<uint32_t>(Info.Position)));
      SetProgressTotal(static_cast<int32_t>(static_cast<uint32_t>(Info.Total)));
      Application->ProcessMessages();
      // A click on the close button waiting in the queue during this report already counts.
      Stop = FCancelRequest;
      break;
    case dsFail:
      GLogger->WriteLog("下载失败dsFail。", llInformation);
      Application->ProcessMessages();
      break;
    case dsError:
      GLogger->WriteLog("下载失败dsError。", llInformation);
      Application->ProcessMessages();
      break;
    default:
      break;
  }
}

void Tfrm_Main::SetProgressPosition(int32_t Position) {
  FProgressPos = Position;
  RefreshProgress();
}

void Tfrm_Main::SetProgressTotal(int32_t Total) {
  if (Total != 0) FProgressMax = Total;
  RefreshProgress();
}

void Tfrm_Main::RefreshProgress() {
  const double percent = static_cast<double>(FProgressPos) / FProgressMax * 100;
  // Pattern "0": a whole number, halves away from zero.
  const long long shown = std::llround(percent);
  labProcess->SetCaption("正在下载(" + std::to_string(shown) + "%)");
  // Beyond the track the fill is clipped on screen; the width itself must stay a sane number
  // for percentages that only a missing length makes possible.
  const long long width = shown * imgProcessOuter->Width() / 100;
  imgProcessInner->SetWidth(static_cast<int>(std::clamp(width, 0LL, 1LL << 20)));
}

void Tfrm_Main::btnInstallClick(TObject*) {
  const winsys::LRESULT result =
      GSystemServices.OpenDocument(Application->Handle(), text::Utf16ToUtf8(FSaveFile));
  if (result > 32) {
    TerminateSelf();
    return;
  }
  Notice("无法自动打开下载的文件。");
}
