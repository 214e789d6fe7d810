#pragma once

#include "framework/StandardControlTypes.h"
#include "framework/TWinControl.h"

// What the text boxes and lists have in common: rows of one height shown from a top row on,
// inside a one-pixel frame and the scroll bars that ScrollBars asks for. WM_VSCROLL sent
// through Perform moves the top row (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_TOP,
// SB_BOTTOM), as far as the last row reaching the bottom; a press on the vertical bar does the
// same. There is nothing to scroll sideways: the horizontal bar only shows.
class TRowControl : public TWinControl {
 public:
  explicit TRowControl(TComponent* AOwner);

  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  int TopRow() const { return FTopRow; }
  void SetTopRow(int value);
  // Whole rows that fit, at least one.
  int VisibleRows() const;

  void WndProc(TMessage& Message) override;

 protected:
  virtual int RowCount() const = 0;
  virtual void PaintRow(TCanvas& canvas, int row, const TRect& rect) = 0;
  virtual int RowHeight() const;
  // A strip above the rows that does not scroll (column headers).
  virtual int HeaderHeight() const { return 0; }
  virtual void PaintHeader(TCanvas& canvas, const TRect& rect) { (void)canvas, (void)rect; }

  // Inside the frame and the bars, below the header.
  TRect RowsRect() const;
  // The row under a point of the client area; -1 when there is none.
  int RowAt(TPoint p) const;
  // The rows changed: the top row stays within reach and the control repaints.
  void RowsChanged();

  void PaintBackground(TCanvas& canvas) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool HasVertical() const { return FScrollBars == ssVertical || FScrollBars == ssBoth; }
  bool HasHorizontal() const { return FScrollBars == ssHorizontal || FScrollBars == ssBoth; }
  TRect VerticalBar() const;
  TRect HorizontalBar() const;
  TRect Thumb() const;
  void Scroll(winsys::WPARAM request);
  void PaintScrollBars(TCanvas& canvas);

  TScrollStyle FScrollBars = ssNone;
  int FTopRow = 0;
};
