#include "qt_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace orvandel {
namespace {

// A fatal message, such as no display to show the windows on, ends the program: the user
// reads why.
void ToDebugLog(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit();
  if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", line.constData());
  const char* log_file = std::getenv("ORVANDEL_DEBUG");
  if (log_file == nullptr || *log_file == '\0') return;
  std::FILE* log = std::fopen(log_file, "a");
  if (log == nullptr) return;
  std::fprintf(log, "%s\n", line.constData());
  std::fclose(log);
}

}  // namespace

void RouteQtMessages() {
  qInstallMessageHandler(ToDebugLog);
}

}  // namespace orvandel
