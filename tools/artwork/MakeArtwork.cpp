// Draws the pictures of the program's windows into the forms folder:
//   make_artwork <forms folder>
// The pictures are committed; run this again after changing the artwork.

#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/artwork/Painter.h"

namespace {

constexpr TColor kBlue = RGB(66, 139, 202);
constexpr TColor kDeepBlue = RGB(14, 97, 185);
constexpr TColor kWhite = clWhite;

std::string gFolder;

std::string PathOf(const std::string& name) {
  const std::string path = gFolder + "/" + name;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  return path;
}

// A blue button with white text, corners rounded.
void BlueButton(const std::string& name, int w, int h, const std::string& text, int textHeight) {
  Painter p(w, h);
  p.FillRoundRect(0, 0, w, h, 5, kBlue);
  p.CenteredText(text, 0, 0, w, h, textHeight, kWhite, true);
  p.Save(PathOf(name));
}

void Banner() {
  const int w = 620, h = 241;
  Painter p(w, h);
  p.VerticalGradient(RGB(58, 134, 214), RGB(40, 108, 190));
  p.FillCircle(560, 40, 150, kWhite, 0.06);
  p.FillCircle(520, 250, 110, kWhite, 0.05);
  p.FillCircle(-20, 230, 90, kWhite, 0.04);
  // The product's mark: a white tile with a "V".
  p.FillRoundRect(70, 78, 146, 154, 18, kWhite);
  p.Line(90, 98, 108, 136, 9, kBlue);
  p.Line(108, 136, 126, 98, 9, kBlue);
  p.Text("Veltrane", 168, 72, 46, kWhite, true);
  p.Text("Calvarin 版 · 完整安装包下载", 171, 130, 17, kWhite, false, 0.9);
  p.FillRoundRect(171, 163, 171 + 52, 163 + 3, 1.5, kWhite, 0.6);
  p.Save(PathOf("main/banner.png"));
}

// A title-bar glyph (minimise or close) on a 30 x 27 picture; the hover form has a backdrop.
void Glyph(const std::string& name, bool close, bool hover, TColor backdrop) {
  Painter p(30, 27);
  if (hover) p.FillRect(0, 0, 30, 27, backdrop, close ? 1.0 : 0.22);
  if (close) {
    p.Line(10.5, 8.5, 19.5, 17.5, 1.6, kWhite);
    p.Line(19.5, 8.5, 10.5, 17.5, 1.6, kWhite);
  } else {
    p.Line(10, 13.5, 20, 13.5, 1.6, kWhite);
  }
  p.Save(PathOf(name));
}

void ProgressBar() {
  Painter track(551, 19);
  track.FillRoundRect(0, 0, 551, 19, 9.5, RGB(228, 234, 241));
  track.Save(PathOf("main/progress_track.png"));
  Painter fill(551, 19);
  fill.FillRoundRect(0, 0, 551, 19, 9.5, kBlue);
  fill.Save(PathOf("main/progress_fill.png"));
}

void SmallParts() {
  Painter change(70, 26);
  change.FillRoundRect(0, 0, 70, 26, 4, kBlue);
  change.FillRoundRect(1, 1, 69, 25, 3, kWhite);
  change.CenteredText("更改", 0, 0, 70, 26, 13, kBlue, false);
  change.Save(PathOf("main/change.png"));

  Painter arrow(14, 15);
  arrow.Line(5, 3.5, 9.5, 7.5, 1.6, RGB(141, 141, 141));
  arrow.Line(9.5, 7.5, 5, 11.5, 1.6, RGB(141, 141, 141));
  arrow.Save(PathOf("main/arrow.png"));
}

void TitleBar() {
  Painter bar(737, 26);
  bar.FillRect(0, 0, 737, 26, kBlue);
  bar.Save(PathOf("common/titlebar.png"));
}

// The download symbol: an arrow into a tray, in a 14 x 14 box at (x, y).
void DownloadSymbol(Painter& p, double x, double y, TColor color) {
  p.Line(x + 7, y + 1.5, x + 7, y + 9, 1.6, color);
  p.Line(x + 3.5, y + 6, x + 7, y + 9.5, 1.6, color);
  p.Line(x + 10.5, y + 6, x + 7, y + 9.5, 1.6, color);
  p.Line(x + 1.5, y + 10, x + 1.5, y + 13, 1.4, color);
  p.Line(x + 1.5, y + 13, x + 12.5, y + 13, 1.4, color);
  p.Line(x + 12.5, y + 13, x + 12.5, y + 10, 1.4, color);
}

void FailureDialog() {
  Painter icon(60, 54);
  icon.FillCircle(30, 27, 24, RGB(247, 152, 29));
  icon.FillCircle(30, 16.5, 3.2, kWhite);
  icon.FillRoundRect(27.3, 22, 32.7, 39, 2.2, kWhite);
  icon.Save(PathOf("info/icon.png"));

  Painter link(105, 17);
  DownloadSymbol(link, 0, 1.5, kBlue);
  link.Text("点击下载安装包", 19, 0, 12, kBlue, false);
  link.FillRect(19, 15, 19 + Painter::TextWidth("点击下载安装包", 12, false), 16, kBlue, 0.5);
  link.Save(PathOf("info/link.png"));

  BlueButton("info/reload.png", 66, 27, "重新下载", 12);
  Glyph("info/close.png", true, false, kDeepBlue);
  Glyph("info/close_hover.png", true, true, RGB(232, 72, 72));
}

// A 48 x 48 dialog icon on white, which is its transparent colour.
void DialogIcon(const std::string& name, TColor color, const std::string& sign, bool triangle) {
  Painter p(48, 48);
  p.FillRect(0, 0, 48, 48, kWhite);
  if (triangle) {
    p.FillTriangle(24, 4, 45, 42, 3, 42, color);
    p.CenteredText(sign, 0, 14, 48, 42, 24, kWhite, true);
  } else {
    p.FillCircle(24, 24, 20, color);
    p.CenteredText(sign, 0, 0, 48, 48, 26, kWhite, true);
  }
  p.Save(PathOf(name), false);
}

void MessageDialog() {
  Painter frame(37, 17);
  frame.FillRect(0, 0, 37, 17, RGB(168, 178, 190));
  frame.Save(PathOf("msgdlg/frame.png"), false);

  Painter bar(4, 46);
  bar.VerticalGradient(RGB(246, 248, 251), RGB(234, 238, 244));
  bar.Save(PathOf("msgdlg/buttonbar.png"), false);

  // The close picture: its backdrop (the bottom-left colour) shows only under the pointer.
  Painter close(26, 26);
  close.FillRect(0, 0, 26, 26, kDeepBlue);
  close.Line(8.5, 8.5, 17.5, 17.5, 1.6, kWhite);
  close.Line(17.5, 8.5, 8.5, 17.5, 1.6, kWhite);
  close.Save(PathOf("msgdlg/close.png"), false);

  DialogIcon("msgdlg/info.png", kBlue, "i", false);
  DialogIcon("msgdlg/error.png", RGB(217, 68, 68), "×", false);
  DialogIcon("msgdlg/warning.png", RGB(240, 160, 32), "!", true);
  DialogIcon("msgdlg/confirm.png", kBlue, "?", false);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <forms folder>\n", argv[0]);
    return 2;
  }
  gFolder = argv[1];
  Banner();
  BlueButton("main/download_now.png", 215, 57, "立即下载", 22);
  BlueButton("main/download.png", 196, 50, "立即下载", 20);
  BlueButton("main/install.png", 194, 48, "立即安装", 20);
  Glyph("main/minimize.png", false, false, kWhite);
  Glyph("main/minimize_hover.png", false, true, kWhite);
  Glyph("main/close.png", true, false, kWhite);
  Glyph("main/close_hover.png", true, true, RGB(232, 72, 72));
  ProgressBar();
  SmallParts();
  TitleBar();
  FailureDialog();
  MessageDialog();
  std::printf("artwork written to %s\n", gFolder.c_str());
  return 0;
}
