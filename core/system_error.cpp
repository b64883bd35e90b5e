#include "core/system_error.h"

#include <cerrno>

QString systemErrorText(int errorNumber)
{
  switch (errorNumber) {
  case 0: return QStringLiteral("原因不明");
  case ENOENT: return QStringLiteral("文件或文件夹不存在");
  case ENOTDIR: return QStringLiteral("路径中有一项不是文件夹");
  case EISDIR: return QStringLiteral("这是一个文件夹");
  case EACCES:
  case EPERM: return QStringLiteral("没有权限");
  case EROFS: return QStringLiteral("文件系统是只读的");
  case ENOSPC: return QStringLiteral("磁盘空间不足");
  case EDQUOT: return QStringLiteral("超出了磁盘配额");
  case ENAMETOOLONG: return QStringLiteral("文件名或路径太长");
  case ELOOP: return QStringLiteral("符号链接层数太多");
  case EMFILE:
  case ENFILE: return QStringLiteral("打开的文件太多");
  case EBUSY:
  case ETXTBSY: return QStringLiteral("文件正被占用");
  case EIO: return QStringLiteral("读写设备时出错");
  default: return QStringLiteral("系统错误（代码 %1）").arg(errorNumber);
  }
}
