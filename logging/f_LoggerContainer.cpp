#include "logging/f_Logger.h"

#include "platform/kernel/Exception.h"

// The display-control side of the logger. The form framework's memo, list box and list view are
// the containers it knows; until the framework is part of the build there is no control it could
// recognise, so any container is refused as the logger refuses an unsupported one.
void TLogger::WriteToContainer(const std::string& /*Text*/, int32_t /*Level*/) {
  if (FContainer == nullptr) return;
  throw kernel::Exception("日志容器类型不支持:TWinControl");
}
