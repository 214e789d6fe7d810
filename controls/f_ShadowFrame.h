#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/TBitmap.h"
#include "framework/TCustomForm.h"
#include "framework/TTimer.h"
#include "framework/TWinControl.h"
#include "platform/winsys/Region.h"
#include "platform/winsys/Types.h"

// [component][alpha] = component * alpha / 255, rounded down: premultiplying by look-up.
using TPremulTable = std::array<std::array<uint8_t, 256>, 256>;
extern const TPremulTable PremulTable;

// The soft drop shadow of a borderless form: a layered, click-through tool window 16 pixels
// larger than the form on every side, kept directly below it in the z-order. It follows the form
// by taking over the form's WindowProc while attached.
//
//   FShadow = TComponent::Create<TFormShadow>(this);  // in the form's creation handler
//   FShadow->SetForm(this);
//   FShadow->SetActive(true);                          // in the form's show handler
class TFormShadow : public TWinControl {
 public:
  explicit TFormShadow(TComponent* AOwner);
  ~TFormShadow() override;
  std::string ClassName() const override { return "TFormShadow"; }

  TCustomForm* Form() const { return FForm; }
  bool Active() const { return FActiveWanted; }
  int ShadowOffset() const { return FShadowOffset; }
  TColor ShadowColor() const { return FShadowColor; }
  int BlurPasses() const { return FBlurPasses; }
  // The picture the shadow window shows: premultiplied, (form width + 32) x (form height + 32)
  // once built.
  const TBitmap& ShadowBitmap() const { return *FShadowBitmap; }
  // The last build followed the form's window region.
  bool Shaped() const { return FShaped; }

  virtual void SetActive(bool Value);
  virtual void SetForm(TCustomForm* Value);
  virtual void SetShadowOffset(int Value);
  virtual void SetShadowColor(TColor Value);
  virtual void SetBlurPasses(int Value);
  virtual void FormWndProc(TMessage& Message);
  virtual void FormSized(TMessage& Message);
  virtual void PaintFormShape(TBitmap& Target);
  virtual void BlurBitmap(TBitmap& Bitmap, int Passes);
  virtual void BuildRectShadow(int AWidth, int AHeight);
  // The size arguments are not read: a region belongs to the form's current size.
  virtual void BuildShapedShadow(int AWidth, int AHeight);
  virtual void NudgeForm(winsys::UINT Extra);
  virtual void ActivationTimer(TObject* Sender);
  virtual void CaptureTimer(TObject* Sender);
  virtual void CaptureForm();
  virtual void StartCaptureTimer();

  void WndProc(TMessage& Message) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;

 private:
  struct TRegionDeleter {
    void operator()(winsys::Region* region) const { winsys::DeleteObject(region); }
  };

  void FormPosChanging(TMessage& Message);
  void FormPosChanged(TMessage& Message);
  void UpdateShadowWindow();
  void ShowShadow(bool Show);
  void WatchTimer(TObject* Sender);
  void PassOn(TMessage& Message);
  // The form's window, or null when there is no form or it has none yet.
  winsys::HWND FormWindow() const;
  // Places the shadow window for a form at (x, y), then applies the pending visibility.
  void PlaceShadow(int x, int y);
  // Premultiplied shadow colour of the given alpha, into a B,G,R,A pixel.
  void ColourShadowPixel(uint8_t* pixel, uint8_t alpha) const;
  void ComposeRectShadow();

  TCustomForm* FForm = nullptr;
  winsys::UINT FPendingShowFlags = 0;
  bool FActive = false;
  bool FActiveWanted = false;
  std::unique_ptr<TTimer> FTimer;
  int FShadowOffset = 0;
  TColor FShadowColor = clBlack;
  TWndMethod FOldWndProc;
  TColor FFormKeyColor = clBlack;
  std::unique_ptr<winsys::Region, TRegionDeleter> FFormRegion;
  std::unique_ptr<TBitmap> FShadowBitmap;
  std::unique_ptr<TBitmap> FTemplate;
  winsys::BLENDFUNCTION FBlend;
  bool FNeedsRebuild = false;
  std::unique_ptr<TBitmap> FFormPicture;
  int FBuiltWidth = 0;
  int FBuiltHeight = 0;
  bool FTracking = false;
  winsys::HWND FFormHandle = nullptr;
  bool FShaped = false;
  int FBlurPasses = 0;
};
