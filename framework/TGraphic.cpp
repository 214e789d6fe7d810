#include "framework/TGraphic.h"

#include <fstream>
#include <iterator>

void TGraphic::LoadFromFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EInvalidGraphic("cannot open the picture file " + path);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                   std::istreambuf_iterator<char>()};
  if (file.bad()) throw EInvalidGraphic("cannot read the picture file " + path);
  LoadFromBytes(bytes);
}

void TGraphic::SaveToFile(const std::string& path) const {
  const std::vector<uint8_t> bytes = SaveToBytes();
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  file.close();
  if (!file) throw EInvalidGraphic("cannot write the picture file " + path);
}

void TGraphic::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Changed();
}

void TGraphic::Changed() {
  if (onChange_) onChange_(this);
}
