#pragma once

#include <cstdint>
#include <string>
#include <utility>

// Byte streams in the form the client's request operations take them: results are HRESULT codes,
// S_OK on success.
using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001);

constexpr uint32_t STREAM_SEEK_SET = 0;
constexpr uint32_t STREAM_SEEK_CUR = 1;
constexpr uint32_t STREAM_SEEK_END = 2;
constexpr uint32_t STATFLAG_DEFAULT = 0;

struct STATSTG {
  uint64_t cbSize = 0;
};

class IStream {
 public:
  virtual ~IStream() = default;
  virtual HRESULT Read(void* pv, uint32_t cb, uint32_t* pcbRead) = 0;
  virtual HRESULT Write(const void* pv, uint32_t cb, uint32_t* pcbWritten) = 0;
  virtual HRESULT Seek(int64_t move, uint32_t origin, uint64_t* newPosition) = 0;
  virtual HRESULT SetSize(uint64_t newSize) = 0;
  virtual HRESULT Stat(STATSTG* stat, uint32_t statFlag) = 0;
};

// A stream held in memory; its bytes are narrow text or raw data alike.
class TMemoryStream : public IStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}

  HRESULT Read(void* pv, uint32_t cb, uint32_t* pcbRead) override;
  HRESULT Write(const void* pv, uint32_t cb, uint32_t* pcbWritten) override;
  HRESULT Seek(int64_t move, uint32_t origin, uint64_t* newPosition) override;
  HRESULT SetSize(uint64_t newSize) override;
  HRESULT Stat(STATSTG* stat, uint32_t statFlag) override;

  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  uint64_t position_ = 0;
};
