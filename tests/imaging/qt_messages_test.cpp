#include <gtest/gtest.h>

#include <QtGlobal>
#include <cstdlib>

#include "qt_messages.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

// Qt's warnings stay off standard error, where a command's one message goes; a developer
// who sets ORVANDEL_DEBUG finds them in that file.
TEST(QtMessagesTest, WarningsGoToTheDebugLogOnly) {
  const test::TempDir dir;
  RouteQtMessages();
  ::unsetenv("ORVANDEL_DEBUG");
  testing::internal::CaptureStderr();
  qWarning("QImage::setColor: Index out of bound %d", 5);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

  ::setenv("ORVANDEL_DEBUG", dir.File("debug.log").c_str(), 1);
  testing::internal::CaptureStderr();
  qWarning("first");
  qInfo("second");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ::unsetenv("ORVANDEL_DEBUG");
  EXPECT_EQ(test::ReadFileBytes(dir.File("debug.log")), "first\nsecond\n");
  qInstallMessageHandler(nullptr);
}

}  // namespace
}  // namespace orvandel
