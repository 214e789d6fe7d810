#include "client/f_Stream.h"

#include <algorithm>
#include <cstring>

HRESULT TMemoryStream::Read(void* pv, uint32_t cb, uint32_t* pcbRead) {
  const uint64_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
  const auto count = static_cast<uint32_t>(std::min<uint64_t>(cb, available));
  if (count > 0) std::memcpy(pv, bytes_.data() + position_, count);
  position_ += count;
  if (pcbRead) *pcbRead = count;
  return count < cb ? S_FALSE : S_OK;
}

HRESULT TMemoryStream::Write(const void* pv, uint32_t cb, uint32_t* pcbWritten) {
  if (position_ > bytes_.size()) bytes_.resize(position_);
  bytes_.replace(position_, std::min<uint64_t>(cb, bytes_.size() - position_),
                 static_cast<const char*>(pv), cb);
  position_ += cb;
  if (pcbWritten) *pcbWritten = cb;
  return S_OK;
}

HRESULT TMemoryStream::Seek(int64_t move, uint32_t origin, uint64_t* newPosition) {
  int64_t base = 0;
  switch (origin) {
    case STREAM_SEEK_SET:
      break;
    case STREAM_SEEK_CUR:
      base = static_cast<int64_t>(position_);
      break;
    case STREAM_SEEK_END:
      base = static_cast<int64_t>(bytes_.size());
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  if (base + move < 0) return STG_E_INVALIDFUNCTION;
  position_ = static_cast<uint64_t>(base + move);
  if (newPosition) *newPosition = position_;
  return S_OK;
}

HRESULT TMemoryStream::SetSize(uint64_t newSize) {
  bytes_.resize(newSize);
  // A position past the new end moves to the end, so that the next write does not leave a gap.
  position_ = std::min(position_, newSize);
  return S_OK;
}

HRESULT TMemoryStream::Stat(STATSTG* stat, uint32_t /*statFlag*/) {
  if (!stat) return STG_E_INVALIDFUNCTION;
  stat->cbSize = bytes_.size();
  return S_OK;
}
